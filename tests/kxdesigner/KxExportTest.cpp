#include "KxExport.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QProgressDialog>
#include <QRegularExpression>
#include <QTimer>
#include <sys/stat.h>

#include "base/KxError.h"
#include "base/Messages.h"
#include "common/DBTestDatabase.h"
#include "DesignerTestSupport.h"
#include "elements/KxElementFactory.h"
#include "KxDesignSurface.h"
#include "KxMainWindow.h"
#include "label/KxLabel.h"
#include "label/KxMeasure.h"
#include "label/KxPrintInfo.h"

namespace {

// A label of Labs labels without data: 21 fill one A4 sheet.
std::unique_ptr<TKxLabel> LabelOf(int Labs) {
    auto label = std::make_unique<TKxLabel>();
    label->AddElement(TKxElementFactory::Create(deRect, label.get()));
    label->GetPrintInfo()->SetLabs(Labs);
    return label;
}

TKxRunSettings RunOf(const TKxLabel& Label) {
    return TKxRunSettings::FromPrintInfo(*Label.GetPrintInfo());
}

// A progress that cancels once Labels labels are drawn.
TKxRunProgress CancelAt(int64_t Labels) {
    return [Labels](int64_t Drawn, int64_t) { return Drawn < Labels; };
}

QStringList Files(const QString& Folder) {
    return QDir(Folder).entryList(QDir::Files | QDir::Hidden);
}

} // namespace

TEST(KxExportNames, KindFollowsTheExtension) {
    const std::vector<std::pair<QString, std::optional<TKxExportKind>>> cases{
        {"a.pdf", TKxExportKind::PDF}, {"b.PNG", TKxExportKind::PNG}, {"c.svg", TKxExportKind::SVG},
        {"d.Emf", TKxExportKind::EMF}, {"e.bmp", std::nullopt},       {"f", std::nullopt}};
    for (const auto& [name, kind] : cases)
        EXPECT_EQ(KxExportKindOf(name), kind) << name.toStdString();
}

TEST(KxExportRun, PicturesOnePerSheet) {
    TKxTempDir dir;
    const auto label = LabelOf(25);
    for (const QString suffix : {"png", "svg", "emf"}) {
        const QStringList written = KxExportRun(*label, RunOf(*label), dir.Path("tags." + suffix), {});
        EXPECT_EQ(written, (QStringList{dir.Path("tags-1." + suffix), dir.Path("tags-2." + suffix)}));
        for (const QString& f : written)
            EXPECT_GT(QFile(f).size(), 0);
    }
    EXPECT_EQ(Files(dir.Path()).size(), 6);
}

TEST(KxExportRun, CancelledLeavesNoFileAndTheOldOneWhole) {
    for (const QString name : {"out.pdf", "out-1.png"}) {
        TKxTempDir dir;
        QFile old(dir.Path(name));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old");
        old.close();
        const auto label = LabelOf(50);
        const QString target = dir.Path(name == "out.pdf" ? "out.pdf" : "out.png");
        EXPECT_THROW(KxExportRun(*label, RunOf(*label), target, CancelAt(30)), EKxRunCancelled);
        EXPECT_EQ(Files(dir.Path()), QStringList{name});
        EXPECT_EQ(FileBytes(dir.Path(name)), "old");
    }
}

TEST(KxExportRun, AFolderThatCannotBeWrittenIsAnErrorNamingTheFile) {
    TKxTempDir dir;
    const auto label = LabelOf(1);
    try {
        KxExportRun(*label, RunOf(*label), dir.Path("missing/out.pdf"), {});
        FAIL() << "no error";
    } catch (const EKxError& e) {
        EXPECT_TRUE(e.Message().contains("missing/out.pdf")) << e.Message().toStdString();
    }
    EXPECT_THROW(KxExportRun(*label, RunOf(*label), dir.Path("out.bmp"), {}), EKxError);
    EXPECT_TRUE(Files(dir.Path()).isEmpty());
}

// An exported PDF reads as kxprint's does: titled, with its creator, and as open as the user's other
// new files.
TEST(KxExportRun, APdfHasATitleACreatorAndTheUsersPermissions) {
    TKxTempDir dir;
    const auto label = LabelOf(3);
    label->GetMeasure()->SetLabelName("Shelf edge");
    KxExportRun(*label, RunOf(*label), dir.Path("shelf.pdf"), {});
    const QString info = Exec("pdfinfo", {dir.Path("shelf.pdf")}).Out;
    EXPECT_TRUE(info.contains(QRegularExpression("Title: +Shelf edge\n"))) << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression("Creator: +\\S"))) << info.toStdString();
    const mode_t mask = ::umask(0);
    ::umask(mask);
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(dir.Path("shelf.pdf")).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0666 & ~mask);
}

TEST(KxExportRun, ALabelOverTheRunLimitsIsRefusedBeforeAnythingIsWritten) {
    TKxTempDir dir;
    const auto label = LabelOf(1);
    for (int i = 0; i < 10000; ++i)
        label->AddElement(TKxElementFactory::Create(deRect, label.get()));
    try {
        KxExportRun(*label, RunOf(*label), dir.Path("many.svg"), {});
        FAIL() << "no error";
    } catch (const EKxError& e) {
        EXPECT_TRUE(e.Message().contains("(element count limit)")) << e.Message().toStdString();
    }
    EXPECT_TRUE(Files(dir.Path()).isEmpty());
}

// One record asking for a whole sheet of 21 labels of 4,800 elements: the sheet is counted from the
// quantity, not from the one record, and is over what an SVG sheet may hold.
TEST(KxExportRun, TheSheetLimitCountsTheRecordsQuantities) {
    TKxTempDir dir;
    TTestDatabase db(TTestEngine::SQLite);
    ASSERT_TRUE(
        db.Exec("CREATE TABLE bom (id INTEGER PRIMARY KEY, qty INTEGER);\nINSERT INTO bom VALUES (1, 21)"));
    const auto label = LabelOf(1);
    for (int i = 0; i < 4800; ++i)
        label->AddElement(TKxElementFactory::Create(deRect, label.get()));
    label->GetTable()->SetDatabaseName(db.Alias());
    label->GetTable()->SetTableName(QStringLiteral("bom"));
    label->SetDaBa(true);
    label->GetPrintInfo()->SetQuantityField(QStringLiteral("qty"));
    try {
        KxExportRun(*label, RunOf(*label), dir.Path("bom.svg"), {});
        FAIL() << "no error";
    } catch (const EKxError& e) {
        EXPECT_TRUE(e.Message().contains("a sheet of 21 labels")) << e.Message().toStdString();
    }
    EXPECT_TRUE(Files(dir.Path()).isEmpty());
}

TEST(KxExportRun, ARunWithoutLabelsWritesNoPdf) {
    TKxTempDir dir;
    const auto label = LabelOf(1);
    TKxRunSettings none = RunOf(*label);
    none.Labs = 0;
    EXPECT_THROW(KxExportRun(*label, none, dir.Path("none.pdf"), {}), EKxError);
    EXPECT_TRUE(Files(dir.Path()).isEmpty());
}

TEST(KxExportWindow, TheProgressDialogCancelsTheExport) {
    TDesignerUser user;
    TMessageCapture messages;
    auto w = ShownWindow();
    w->Lab()->GetPrintInfo()->SetLabs(3000);
    bool cancelled = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* progress = w->findChild<QProgressDialog*>("exportProgress");
            progress && progress->value() > 0) {
            progress->cancel();
            cancelled = true;
        }
    });
    poll.start(0);
    EXPECT_FALSE(w->ExportFile(user.Path("tags.png")));
    EXPECT_TRUE(cancelled);
    QDir folder(user.Path());
    EXPECT_TRUE(folder.entryList({"*tags*"}, QDir::Files | QDir::Hidden).isEmpty());
}
