#pragma once

#include <QString>
#include <QWidget>

class QLabel;
class QPlainTextEdit;

namespace nexmar {

// The pane beside the tree where the referee writes plain-text notes on
// the selected system or object. It shows and reports text; what the text
// is kept on, and the undoing of it, belong to the dialog. The pane is a
// column of sections, each a title, an editor and a line saying why what
// was typed is not kept; every kind of note is one section.
class NotesPane final : public QWidget {
    Q_OBJECT

public:
    explicit NotesPane(QWidget* parent = nullptr);

    // Shows the notes on what heading names; none: nothing to write on.
    void ShowTarget(const QString& heading, const QString& notes, bool writable);
    // The heading and the notes as they now stand (after an undo, say),
    // where they differ from what is shown; the cursor stays where it can.
    void FollowNotes(const QString& heading, const QString& notes);
    // Why the text typed is not kept; empty once it is.
    void ShowFault(const QString& fault);
    QString Text() const;
    QSize sizeHint() const override;

signals:
    // The user changed the text: each keystroke, paste and cut.
    void NotesEdited(const QString& text);
    // The editor lost the keyboard focus: a burst of typing ended.
    void EditingEnded();
    // Escape in the editor: the user is done writing here.
    void Left();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Section {
        QLabel* title = nullptr;
        QPlainTextEdit* editor = nullptr;
        QLabel* fault = nullptr;
    };
    Section AddSection(const QString& objectName, const QString& title);
    void SetText(const QString& text);

    QLabel* heading_ = nullptr;
    Section notes_;
};

}  // namespace nexmar
