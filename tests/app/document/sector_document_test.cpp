#include <QBuffer>
#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

#include <atomic>
#include <functional>
#include <memory>
#include <vector>

#include "app/document/hidden_fields_command.h"
#include "app/document/lock_command.h"
#include "app/document/note_command.h"
#include "app/document/rename_command.h"
#include "app/document/reroll_command.h"
#include "app/document/sector_document.h"
#include "app/document/visibility_command.h"
#include "core/dice.h"
#include "support/scratch.h"

namespace nexmar {
namespace {

using Places = SectorDocument::Places;

// A seeded run of four Medium systems, as Generate renders it.
RenderedRun FourSystems(const std::filesystem::path& reports)
{
    const RunSettings settings{.systems = 4, .level = DetailLevel::Medium, .seed = 4242};
    const std::atomic<bool> never{false};
    return RenderRun(
        settings, reports,
        [&settings](ResultTree& tree, ReportFiles& files, Notifier& notifier, const SystemDone& systemDone,
                    std::span<RunOutput* const> outputs) {
            SeededDice dice(settings.seed);
            RunGeneration({settings}, dice, tree, files, notifier, systemDone, outputs);
        },
        never, [](int) {});
}

// The notes of the system at place, not of one of its objects.
NoteTarget SystemAt(std::size_t place)
{
    NoteTarget target;
    target.place = place;
    return target;
}

// The whole sector as its document would be saved.
QByteArray Saved(const SectorDocument& document)
{
    QBuffer bytes;
    bytes.open(QIODevice::WriteOnly);
    const std::atomic<bool> never{false};
    document.Session().WriteJson(bytes, never, [](int) {});
    return bytes.data();
}

// The recovery copy in folder, once one is whole there.
QByteArray RecoveryCopyIn(const QString& folder)
{
    const QStringList copies = QDir(folder).entryList({QStringLiteral("*.json")}, QDir::Files);
    if (copies.isEmpty()) {
        return {};
    }
    QFile copy(QDir(folder).filePath(copies.front()));
    return copy.open(QIODevice::ReadOnly) ? copy.readAll() : QByteArray();
}

}  // namespace

class SectorDocumentTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        reports_ = std::make_unique<testing::TempDir>();
        recovery_ = std::make_unique<QTemporaryDir>();
        document_ = std::make_unique<SectorDocument>(SeedSource(7), reports_->path(), recovery_->path());
        document_->ShowRun(FourSystems(reports_->path()));
    }
    void cleanup()
    {
        document_.reset();
        recovery_.reset();
        reports_.reset();
    }

    void eachEditSaysWhatChangedAndUndoesToTheSameBytes();
    void aBurstOfTypingUndoesAsOne();
    void modifiedUntilSavedOrUndoneBackToTheSave();
    void theRecoveryCopyIsHaltedBeforeAChangeAndWrittenAfter();
    void anotherRunForgetsTheEdits();

private:
    std::unique_ptr<testing::TempDir> reports_;
    std::unique_ptr<QTemporaryDir> recovery_;
    std::unique_ptr<SectorDocument> document_;
};

void SectorDocumentTest::eachEditSaysWhatChangedAndUndoesToTheSameBytes()
{
    using Make = std::function<std::unique_ptr<SwapCommand>(SectorDocument&)>;
    using Signal = void (SectorDocument::*)(const Places&);
    const std::size_t second[] = {1};
    struct Case {
        const char* edit;
        Make make;
        Signal says;
    };
    const Case cases[] = {
        {"rename", [](SectorDocument& d) { return std::make_unique<RenameCommand>(d, 1, "Vessa Reach"); },
         &SectorDocument::NamesChanged},
        {"lock", [](SectorDocument& d) { return std::make_unique<LockCommand>(d, 1); }, &SectorDocument::NamesChanged},
        {"visibility",
         [&second](SectorDocument& d) { return std::make_unique<VisibilityCommand>(d, second, Visibility::Secret); },
         &SectorDocument::VisibilityChanged},
        {"hidden fields",
         [](SectorDocument& d) {
             return std::make_unique<HiddenFieldsCommand>(d, 1, PlayerFields{PlayerField::Stars});
         },
         &SectorDocument::VisibilityChanged},
        {"note",
         [](SectorDocument& d) {
             return std::make_unique<NoteCommand>(d, SystemAt(1), NoteKind::Referee, "Pirates", d.Burst());
         },
         &SectorDocument::NotesChanged},
        {"reroll", [](SectorDocument& d) { return std::make_unique<RerollCommand>(d, std::vector<std::size_t>{1}); },
         &SectorDocument::RecordsChanged},
    };
    for (const Case& edit : cases) {
        const QByteArray before = Saved(*document_);
        QSignalSpy says(document_.get(), edit.says);
        QSignalSpy changed(document_.get(), &SectorDocument::SystemsChanged);
        document_->Edit(edit.make(*document_));
        QVERIFY2(Saved(*document_) != before, edit.edit);
        QCOMPARE(says.count(), 1);
        QCOMPARE(says.front().front().value<Places>(), Places{1});
        QCOMPARE(changed.count(), 1);
        document_->Undo();
        QVERIFY2(Saved(*document_) == before, edit.edit);
        QCOMPARE(says.count(), 2);
        const QByteArray undone = Saved(*document_);
        document_->Redo();
        document_->Undo();
        QVERIFY2(Saved(*document_) == undone, edit.edit);
        QCOMPARE(changed.count(), 4);
    }
}

void SectorDocumentTest::aBurstOfTypingUndoesAsOne()
{
    const QByteArray before = Saved(*document_);
    const NoteTarget system = SystemAt(2);
    for (const char* typed : {"P", "Pi", "Pir"}) {
        document_->Edit(std::make_unique<NoteCommand>(*document_, system, NoteKind::Players, typed, document_->Burst()));
    }
    QCOMPARE(document_->UndoStack().count(), 1);
    document_->EndBurst();
    document_->Edit(std::make_unique<NoteCommand>(*document_, system, NoteKind::Players, "Pirates", document_->Burst()));
    // Notes written whole in a prompt join no burst.
    document_->Edit(std::make_unique<NoteCommand>(*document_, system, NoteKind::Players, "Pirates!", std::nullopt));
    QCOMPARE(document_->UndoStack().count(), 3);
    document_->Undo();
    document_->Undo();
    QCOMPARE(NotesOf(document_->Session().Records(), system, NoteKind::Players), std::string("Pir"));
    document_->Undo();
    QVERIFY(Saved(*document_) == before);
}

void SectorDocumentTest::modifiedUntilSavedOrUndoneBackToTheSave()
{
    QSignalSpy modified(document_.get(), &SectorDocument::ModifiedChanged);
    QVERIFY(!document_->IsModified());
    document_->Edit(std::make_unique<LockCommand>(*document_, 0));
    QVERIFY(document_->IsModified());
    document_->MarkSaved();
    QVERIFY(!document_->IsModified());
    document_->Undo();
    QVERIFY(document_->IsModified());
    document_->Redo();
    QVERIFY(!document_->IsModified());
    const QList<bool> told{true, false, true, false};
    QCOMPARE(modified.count(), told.size());
    for (int index = 0; index < told.size(); ++index) {
        QCOMPARE(modified[index].front().toBool(), told[index]);
    }
}

void SectorDocumentTest::theRecoveryCopyIsHaltedBeforeAChangeAndWrittenAfter()
{
    document_->Edit(std::make_unique<RenameCommand>(*document_, 0, "Ostra"));
    QVERIFY(document_->Recovery().WriteUnderway());
    QTRY_VERIFY(RecoveryCopyIn(recovery_->path()).contains("Ostra"));
    bool haltedWhileChanging = false;
    connect(document_.get(), &SectorDocument::NamesChanged, this,
            [&] { haltedWhileChanging = !document_->Recovery().WriteUnderway(); });
    document_->Edit(std::make_unique<RenameCommand>(*document_, 0, "Ostra Deep"));
    QVERIFY(haltedWhileChanging);
    QTRY_VERIFY(RecoveryCopyIn(recovery_->path()).contains("Ostra Deep"));
    // Saved, the edits need no copy.
    document_->MarkSaved();
    QVERIFY(RecoveryCopyIn(recovery_->path()).isEmpty());
}

void SectorDocumentTest::anotherRunForgetsTheEdits()
{
    document_->Edit(std::make_unique<RenameCommand>(*document_, 0, "Ostra"));
    QSignalSpy replaced(document_.get(), &SectorDocument::RunReplaced);
    document_->ShowRun(FourSystems(reports_->path()));
    QCOMPARE(replaced.count(), 1);
    QCOMPARE(document_->UndoStack().count(), 0);
    QVERIFY(!document_->IsModified());
    QVERIFY(RecoveryCopyIn(recovery_->path()).isEmpty());
}

}  // namespace nexmar

QTEST_GUILESS_MAIN(nexmar::SectorDocumentTest)
#include "sector_document_test.moc"
