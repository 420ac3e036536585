#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <sys/stat.h>
#include <unistd.h>

#include "AppTestSupport.h"
#include "db/Table.h"
#include "elements/KxImage.h"
#include "elements/KxLine.h"
#include "elements/KxText.h"
#include "label/KxLabel.h"
#include "label/KxMeasure.h"
#include "label/KxPrintInfo.h"

namespace {

// One refused run: the files it sets up in its folder and the command line it gives, by name.
struct TRefusal {
    const char* Name;
    int Code;
    const char* Says;
};

// The folder of one case: copies of the sample label, aliases and database, yesterday's outputs.
class TRefusalFolder {
public:
    TRefusalFolder() {
        for (const char* name : {"price-tag.kxl", "aliases.ini", "products.db"})
            QFile::copy(Sample(QString::fromLatin1(name)), Path(QString::fromLatin1(name)));
        for (const char* name : {"out.pdf", "out-1.png", "out.svg"})
            WriteBytes(Path(QString::fromLatin1(name)), QByteArray("yesterday's ") + name);
    }
    QString Path(const QString& Name) const { return FDir.Path(Name); }
    QString Label() const { return Path(QStringLiteral("price-tag.kxl")); }
    QString Aliases() const { return Path(QStringLiteral("aliases.ini")); }
    QString Changed(const std::function<void(TKxLabel&)>& Change) const {
        return SaveLabel(Path(QStringLiteral("changed.kxl")), Change);
    }
    void Fifo(const QString& Name) const {
        ASSERT_EQ(mkfifo(QFile::encodeName(Path(Name)).constData(), 0600), 0);
    }
    void Link(const QString& Existing, const QString& Name) const {
        ASSERT_EQ(
            link(QFile::encodeName(Path(Existing)).constData(), QFile::encodeName(Path(Name)).constData()),
            0);
    }
    /// The bytes of every regular file in the folder.
    std::map<QString, QByteArray> Contents() const {
        std::map<QString, QByteArray> contents;
        for (const QString& name : FolderEntries(FDir.Path()))
            if (QFileInfo(Path(name)).isFile()) contents[name] = FileBytes(Path(name));
        return contents;
    }

private:
    TKxTempDir FDir;
};

QStringList Arguments(const QString& Name, const TRefusalFolder& F) {
    const QStringList data{"--aliases", F.Aliases()};
    const QString pdf = F.Path(QStringLiteral("out.pdf"));
    if (Name == u"OutputIsTheLabel") {
        F.Link(QStringLiteral("price-tag.kxl"), QStringLiteral("same.pdf"));
        return QStringList{F.Label(), "-o", F.Path(QStringLiteral("same.pdf"))} + data;
    }
    if (Name == u"OutputIsTheAliasesFile") {
        QFile::link(F.Aliases(), F.Path(QStringLiteral("aliases.pdf")));
        return QStringList{F.Label(), "-o", F.Path(QStringLiteral("aliases.pdf"))} + data;
    }
    if (Name == u"OutputIsTheDatabase") {
        F.Link(QStringLiteral("products.db"), QStringLiteral("db.pdf"));
        return {F.Label(), "--alias", "Products=sqlite:" + F.Path(QStringLiteral("products.db")), "-o",
                F.Path(QStringLiteral("db.pdf"))};
    }
    if (Name == u"OutputIsAPicture") {
        QImage(8, 8, QImage::Format_RGB32).save(F.Path(QStringLiteral("pic.png")));
        F.Link(QStringLiteral("pic.png"), QStringLiteral("tag-1.png"));
        const QString label = F.Changed([&](TKxLabel& L) {
            auto image = std::make_unique<TKxImage>(&L);
            image->FileImage = F.Path(QStringLiteral("pic.png"));
            L.AddElement(std::move(image));
        });
        return {label, "--no-data", "-o", F.Path(QStringLiteral("tag.png"))};
    }
    if (Name == u"NoRecordMatches")
        return QStringList{
                   F.Changed([](TKxLabel& L) { L.GetTable()->SetFilter(QStringLiteral("[price] > 99999")); }),
                   "-o", pdf} +
               data;
    if (Name == u"EmptyTable") {
        Exec(QStringLiteral("sqlite3"), {F.Path(QStringLiteral("products.db")), "DELETE FROM products"});
        return QStringList{F.Label(), "-o", pdf} + data;
    }
    if (Name == u"NoLabelsInTheFile") {
        // The setter keeps at least one label; a file may hold any number.
        const QString label = F.Changed([](TKxLabel& L) { L.GetPrintInfo()->SetLabs(0x4B584C); });
        QByteArray bytes = FileBytes(label);
        const qsizetype at = bytes.indexOf(QByteArray("\x4C\x58\x4B\x00", 4));
        EXPECT_GT(at, 0);
        bytes.replace(at, 4, QByteArray(4, '\0'));
        WriteBytes(label, bytes);
        return {label, "--no-data", "-o", F.Path(QStringLiteral("out.png"))};
    }
    if (Name == u"NoRecordsInTheFile")
        return QStringList{F.Changed([](TKxLabel& L) {
                               L.GetPrintInfo()->SetFirstLab(5);
                               L.GetPrintInfo()->SetLastLab(3);
                           }),
                           "-o", pdf} +
               data;
    if (Name == u"NoRecordsAskedFor") return QStringList{F.Label(), "--from", "301", "-o", pdf} + data;
    if (Name == u"LabelIsAPipe") {
        F.Fifo(QStringLiteral("pipe.kxl"));
        return {F.Path(QStringLiteral("pipe.kxl")), "--no-data", "-o", pdf};
    }
    if (Name == u"LabelIsAFolder") return {F.Path(QString()), "--no-data", "-o", pdf};
    if (Name == u"AliasesFileIsAPipe") {
        F.Fifo(QStringLiteral("pipe.ini"));
        return {F.Label(), "--aliases", F.Path(QStringLiteral("pipe.ini")), "-o", pdf};
    }
    if (Name == u"DatabaseIsAPipe") {
        F.Fifo(QStringLiteral("pipe.db"));
        return {F.Label(), "--alias", "Products=sqlite:" + F.Path(QStringLiteral("pipe.db")), "-o", pdf};
    }
    if (Name == u"PictureIsAPipe") {
        F.Fifo(QStringLiteral("pipe.png"));
        const QString label = F.Changed([&](TKxLabel& L) {
            auto image = std::make_unique<TKxImage>(&L);
            image->FileImage = F.Path(QStringLiteral("pipe.png"));
            L.AddElement(std::move(image));
        });
        return {label, "--no-data", "-o", pdf};
    }
    if (Name.startsWith(u"NoPaper")) {
        const QString label = F.Changed([](TKxLabel& L) { L.GetMeasure()->SetPaperHeight(0); });
        return {label, "--no-data", "-o", F.Path(QStringLiteral("out.") + Name.mid(7).toLower())};
    }
    if (Name == u"HugeSheetImage")
        return {F.Changed([](TKxLabel& L) {
                    L.GetMeasure()->SetPaperWidth(2000);
                    L.GetMeasure()->SetPaperHeight(2000);
                }),
                "--no-data", "-o", F.Path(QStringLiteral("out.png"))};
    if (Name == u"LongText")
        return {F.Changed([](TKxLabel& L) {
                    auto text = std::make_unique<TKxText>(&L);
                    text->Text = QString(70000, u'x');
                    L.AddElement(std::move(text));
                }),
                "--no-data", "-o", pdf};
    if (Name == u"ManyElements")
        return {F.Changed([](TKxLabel& L) {
                    for (int i = 0; i < 10001; ++i)
                        L.AddElement(std::make_unique<TKxLine>(&L));
                }),
                "--no-data", "-o", F.Path(QStringLiteral("out.svg"))};
    if (Name == u"DenseSvgSheet")
        return {F.Changed([](TKxLabel& L) {
                    for (int i = 0; i < 100; ++i)
                        L.AddElement(std::make_unique<TKxLine>(&L));
                    L.GetMeasure()->SetNuHor(100);
                    L.GetMeasure()->SetNuVer(10);
                    L.GetPrintInfo()->SetLabs(1000);
                }),
                "--no-data", "-o", F.Path(QStringLiteral("out.svg"))};
    if (Name == u"MillionCellSheet")
        return {F.Changed([](TKxLabel& L) {
                    L.GetMeasure()->SetNuHor(1000);
                    L.GetMeasure()->SetNuVer(1000);
                    L.GetPrintInfo()->SetLabs(1000000);
                }),
                "--no-data", "-o", F.Path(QStringLiteral("out.emf"))};
    if (Name == u"OutputIsAFolder") {
        QDir().mkdir(F.Path(QStringLiteral("folder.pdf")));
        return {F.Label(), "--no-data", "-o", F.Path(QStringLiteral("folder.pdf"))};
    }
    ADD_FAILURE() << "no such case";
    return {};
}

class KxPrintRefusal : public ::testing::TestWithParam<TRefusal> {};

} // namespace

// Each refused run exits with its own status and says why, and every file in its folder, inputs and
// yesterday's outputs alike, keeps its bytes.
TEST_P(KxPrintRefusal, ExitsSaysWhyAndChangesNoFile) {
    const TRefusalFolder folder;
    const QStringList args = Arguments(QString::fromLatin1(GetParam().Name), folder);
    const std::map<QString, QByteArray> before = folder.Contents();
    const TResult r = KxPrint(args);
    EXPECT_EQ(r.Code, GetParam().Code) << r.Err.toStdString();
    EXPECT_TRUE(r.Err.contains(QString::fromUtf8(GetParam().Says))) << r.Err.toStdString();
    // The error alone: nothing stands in front of it.
    EXPECT_TRUE(r.Err.startsWith(QStringLiteral("kxprint: "))) << r.Err.toStdString();
    EXPECT_EQ(r.Err.count(u'\n'), 1) << r.Err.toStdString();
    EXPECT_TRUE(folder.Contents() == before);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KxPrintRefusal,
    ::testing::Values(
        TRefusal{"OutputIsTheLabel", 2, "is the label file"},
        TRefusal{"OutputIsTheAliasesFile", 2, "is the aliases file"},
        TRefusal{"OutputIsTheDatabase", 2, "is the database file of alias \"Products\""},
        TRefusal{"OutputIsAPicture", 2, "tag-1.png\" is the picture"},
        TRefusal{"NoRecordMatches", 5,
                 "no record matches: alias \"Products\", table \"products\", filter \"[price] > 99999\""},
        TRefusal{"EmptyTable", 5, "no record matches: alias \"Products\", table \"products\", no filter"},
        TRefusal{"NoLabelsInTheFile", 3, "the label file asks for 0 labels"},
        TRefusal{"NoRecordsInTheFile", 3, "the label file chooses the records from 5 to 3"},
        TRefusal{"NoRecordsAskedFor", 2, "choose the records from 301 to 300"},
        TRefusal{"LabelIsAPipe", 3, "pipe.kxl\" is not a regular file"},
        TRefusal{"LabelIsAFolder", 3, "is not a regular file"},
        TRefusal{"AliasesFileIsAPipe", 5, "pipe.ini\" is not a regular file"},
        TRefusal{"DatabaseIsAPipe", 5, "pipe.db\" is not a regular file"},
        TRefusal{"PictureIsAPipe", 3, "the picture \""},
        TRefusal{"NoPaperPdf", 3, "both sides must be more than 0"},
        TRefusal{"NoPaperPng", 3, "both sides must be more than 0"},
        TRefusal{"NoPaperSvg", 3, "both sides must be more than 0"},
        TRefusal{"HugeSheetImage", 3, "(sheet image limit)"}, TRefusal{"LongText", 3, "(text length limit)"},
        TRefusal{"ManyElements", 3, "(element count limit)"},
        TRefusal{"DenseSvgSheet", 3,
                 "1000 labels of 104 elements makes 106000 drawings; a sheet written whole as SVG may hold "
                 "at most "
                 "100000"},
        TRefusal{"MillionCellSheet", 3, "(sheet drawing limit)"},
        TRefusal{"OutputIsAFolder", 6, "folder.pdf\": it is not a regular file"}),
    [](const auto& info) { return std::string(info.param.Name); });

// --quiet leaves errors only; without it, a picture that cannot be read is one warning, escaped, and a
// paper code the printer does not know is no message at all: the PDF takes the label's own paper.
TEST(KxPrintMessages, QuietIsSilentAndWarningsAreTheRunsOwn) {
    TKxTempDir dir;
    const QString missing = dir.Path(QStringLiteral("gone\x1b[31m.png"));
    const QString label = SaveLabel(dir.Path(QStringLiteral("l.kxl")), [&](TKxLabel& L) {
        auto image = std::make_unique<TKxImage>(&L);
        image->FileImage = missing;
        L.AddElement(std::move(image));
        L.GetPrintInfo()->SetPaperSize(999);
        L.GetMeasure()->SetPaperWidth(100);
        L.GetMeasure()->SetPaperHeight(150);
    });
    const QString pdf = dir.Path(QStringLiteral("l.pdf"));
    const TResult loud = KxPrint({label, "--no-data", "-o", pdf});
    ASSERT_EQ(loud.Code, 0) << loud.Err.toStdString();
    const QString shown = dir.Path(QStringLiteral("gone\\x1b[31m.png"));
    EXPECT_EQ(loud.Err, "kxprint: warning: the picture \"" + shown +
                            "\" cannot be read and prints as a placeholder (" + shown +
                            ": the file does not exist)\n");
    EXPECT_TRUE(PdfInfo(pdf, QStringLiteral("Page size")).startsWith(QStringLiteral("283 x 425")))
        << PdfInfo(pdf, QStringLiteral("Page size")).toStdString();
    const TResult quiet = KxPrint({label, "--no-data", "-o", pdf, "--quiet"});
    EXPECT_EQ(quiet.Code, 0);
    EXPECT_TRUE(quiet.Err.isEmpty()) << quiet.Err.toStdString();
}

// Names from a label reach the terminal escaped; and Qt's own note about its runtime folder does not
// reach it at all.
TEST(KxPrintMessages, ControlCharactersAreEscapedAndQtKeepsQuiet) {
    TKxTempDir dir;
    const QString label = SaveLabel(dir.Path(QStringLiteral("l.kxl")), [](TKxLabel& L) {
        L.GetTable()->SetTableName(QStringLiteral("pro\x1b]0;owned\a"
                                                  "ducts"));
    });
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(KXPRINT_EXE), {label, "--aliases", Sample(QStringLiteral("aliases.ini")), "-o",
                                          dir.Path(QStringLiteral("l.pdf"))});
    ASSERT_TRUE(p.waitForFinished(120000));
    const QString err = QString::fromUtf8(p.readAllStandardError());
    EXPECT_EQ(p.exitCode(), 5) << err.toStdString();
    EXPECT_TRUE(err.contains(QStringLiteral("pro\\x1b]0;owned\\x07ducts"))) << err.toStdString();
    EXPECT_FALSE(err.contains(u'\x1b'));
    EXPECT_FALSE(err.contains(QStringLiteral("XDG_RUNTIME_DIR")));
    EXPECT_EQ(err.count(u'\n'), 1) << err.toStdString();
}

TEST(KxPrintPdf, TitleIsTheLabelsNameAndCreatorIsKxprint) {
    TKxTempDir dir;
    const QString named = SaveLabel(dir.Path(QStringLiteral("a.kxl")), [](TKxLabel& L) {
        L.GetMeasure()->SetLabelName(QStringLiteral("Shelf tags"));
    });
    const QString unnamed = SaveLabel(dir.Path(QStringLiteral("b.kxl")),
                                      [](TKxLabel& L) { L.GetMeasure()->SetLabelName(QString()); });
    for (const QString& label : {named, unnamed})
        ASSERT_EQ(KxPrint({label, "--no-data", "-o", label + ".pdf"}).Code, 0);
    EXPECT_EQ(PdfInfo(named + ".pdf", QStringLiteral("Title")), "Shelf tags");
    EXPECT_EQ(PdfInfo(unnamed + ".pdf", QStringLiteral("Title")), "b.kxl");
    EXPECT_TRUE(PdfInfo(named + ".pdf", QStringLiteral("Creator")).startsWith(QStringLiteral("kxprint ")));
}
