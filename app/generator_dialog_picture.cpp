// The dialog's picture of the selected system: the pane beside the tree and
// Export Picture.
#include <QAction>
#include <QBuffer>
#include <QFileInfo>
#include <QSaveFile>

#include <optional>
#include <string>

#include "app/dialog_actions.h"
#include "app/generator_dialog.h"
#include "app/picture_pane.h"
#include "app/result_tree_view.h"
#include "app/user_prompts.h"

namespace nexmar {

namespace {

constexpr const char* kPictureFilter = "Picture (*.svg *.png)";
constexpr const char* kPictureSuffix = "svg";
// A PNG is drawn at twice the picture's own size, sharp enough to print.
constexpr double kPngScale = 2.0;

}  // namespace

void GeneratorDialog::BuildPicturePane()
{
    picture_ = new PicturePane(*client_, *treeView_, session_);
    actions_->Action("showPictureAction")->setCheckable(true);
    connect(picture_, &PicturePane::SelectedSystemChanged, this, &GeneratorDialog::FollowSelection);
}

void GeneratorDialog::ShowPicture()
{
    const bool show = !picture_->IsShown();
    if (show && !isMaximized() && !isFullScreen()) {
        resize(width() + picture_->GrowthToShow(), height());
    }
    picture_->SetShown(show);
    actions_->Action("showPictureAction")->setChecked(show);
}

void GeneratorDialog::ExportPicture()
{
    const std::optional<std::size_t> system = picture_->SelectedSystem();
    const std::string svg = system && session_.HasRun() ? session_.SystemSvg(*system) : std::string();
    if (svg.empty()) {
        prompts_.ShowMessage(this, QString::fromLatin1(kNoPictureToExport));
        return;
    }
    const QString name = AskSaveName(kPictureFilter, kPictureSuffix);
    if (name.isEmpty()) {
        return;
    }
    QByteArray bytes(svg.data(), static_cast<qsizetype>(svg.size()));
    if (QFileInfo(name).suffix().compare(QLatin1String("png"), Qt::CaseInsensitive) == 0) {
        QBuffer png;
        png.open(QIODevice::WriteOnly);
        SvgImage(bytes, kPngScale).save(&png, "PNG");
        bytes = png.data();
    }
    WriteWhole(name, [&bytes](QSaveFile& destination) { return destination.write(bytes) == bytes.size(); });
}

}  // namespace nexmar
