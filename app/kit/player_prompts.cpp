// The windows that ask what the players may see of a system.
#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QInputDialog>
#include <QVBoxLayout>

#include <utility>
#include <vector>

#include "app/kit/screen_room.h"
#include "app/kit/user_prompts.h"

namespace nexmar {

std::optional<PlayerFields> DialogPrompts::AskHiddenFields(QWidget* parent, const QString& title,
                                                           std::span<const PlayerField> offered, PlayerFields hidden)
{
    QDialog dialog(parent);
    KeepOnScreenWhenShown(dialog);
    dialog.setWindowTitle(title);
    auto* layout = new QVBoxLayout(&dialog);
    std::vector<std::pair<PlayerField, QCheckBox*>> boxes;
    for (const PlayerField field : offered) {
        const QString key = QString::fromLatin1(PlayerFieldName(field).data(), PlayerFieldName(field).size());
        auto* box = new QCheckBox(QStringLiteral("Hide ") + key, &dialog);
        box->setChecked(hidden.Has(field));
        layout->addWidget(box);
        boxes.emplace_back(field, box);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    PlayerFields chosen;
    for (const auto& [field, box] : boxes) {
        if (box->isChecked()) {
            chosen.Add(field);
        }
    }
    return chosen;
}

std::optional<QString> DialogPrompts::AskNotes(QWidget* parent, const QString& title, const QString& text)
{
    QInputDialog input(parent);
    KeepOnScreenWhenShown(input);
    input.setWindowTitle(title);
    input.setOption(QInputDialog::UsePlainTextEditForTextInput);
    input.setLabelText(QStringLiteral("Notes:"));
    input.setTextValue(text);
    input.setMinimumWidth(input.fontMetrics().horizontalAdvance(input.windowTitle()) + 300);
    if (input.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return input.textValue();
}

}  // namespace nexmar
