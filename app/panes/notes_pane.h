#pragma once

#include <QString>
#include <QWidget>

class QLabel;
class QPlainTextEdit;

namespace nexmar {

// The pane beside the tree where the referee writes plain-text notes on
// the selected system or object: the referee's own, and under them those
// for the players' handout. It shows and reports text; what the text is
// kept on, and the undoing of it, belong to the dialog. The pane is a
// column of sections, each a title, an editor and a line saying why what
// was typed is not kept; every kind of note is one section.
class NotesPane final : public QWidget {
    Q_OBJECT

public:
    explicit NotesPane(QWidget* parent = nullptr);

    // The notes of a target: the referee's and the players'.
    struct Notes {
        QString referee;
        QString players;
    };
    // Shows the notes on what heading names; none: nothing to write on.
    void ShowTarget(const QString& heading, const Notes& notes, bool writable);
    // The heading and the notes as they now stand (after an undo, say),
    // where they differ from what is shown; the cursor stays where it can.
    void FollowNotes(const QString& heading, const Notes& notes);
    // Why the text typed (in the players' notes, or the referee's) is not
    // kept; empty once it is.
    void ShowFault(const QString& fault, bool players = false);
    // Shows or hides the referee's notes: the players' view shows theirs alone.
    void ShowRefereeNotes(bool shown);
    QString Text() const;
    QString PlayersText() const;
    QSize sizeHint() const override;

signals:
    // The user changed the text: each keystroke, paste and cut.
    void NotesEdited(const QString& text);
    void PlayerNotesEdited(const QString& text);
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
    static void SetText(const Section& section, const QString& text);
    static void FollowText(const Section& section, const QString& text);
    static void ShowFault(const Section& section, const QString& fault);

    QLabel* heading_ = nullptr;
    Section notes_;
    Section players_;
};

}  // namespace nexmar
