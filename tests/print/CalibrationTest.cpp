#include <gtest/gtest.h>
#include <QFile>

#include "base/KxError.h"
#include "common/TestSupport.h"
#include "print/Calibration.h"

// A profile is kept under any printer name and read back as it was; another name finds nothing.
TEST(KxCalibration, IsKeptPerPrinterAndReadBack) {
    TKxTempDir dir;
    const QString file = dir.Path(QStringLiteral("kxlab/calibration.ini"));
    const QString name = QStringLiteral("Zebra [2]/Almacén = 1");
    EXPECT_FALSE(KxFindCalibration(name, file));
    KxSaveCalibration(name, {1.5, -0.75, 99.5, 101}, file);
    KxSaveCalibration(QStringLiteral("Other"), {}, file);
    const std::optional<TKxCalibration> back = KxFindCalibration(name, file);
    ASSERT_TRUE(back);
    EXPECT_DOUBLE_EQ(back->OffsetX, 1.5);
    EXPECT_DOUBLE_EQ(back->OffsetY, -0.75);
    EXPECT_DOUBLE_EQ(back->ScaleX, 99.5);
    EXPECT_DOUBLE_EQ(back->ScaleY, 101);
    EXPECT_TRUE(KxFindCalibration(QStringLiteral("Other"), file)->IsIdentity());
    EXPECT_FALSE(KxFindCalibration(QStringLiteral("Zebra"), file));
}

// Values out of range are neither kept nor used; a hand-edited file that holds them names the profile.
TEST(KxCalibration, RefusesValuesOutOfRange) {
    TKxTempDir dir;
    const QString file = dir.Path(QStringLiteral("calibration.ini"));
    for (const TKxCalibration bad :
         {TKxCalibration{51, 0, 100, 100}, TKxCalibration{0, 0, 100, 49}, TKxCalibration{0, 0, 201, 100}})
        EXPECT_THROW(KxSaveCalibration(QStringLiteral("P"), bad, file), EKxError);
    QFile edited(file);
    ASSERT_TRUE(edited.open(QIODevice::WriteOnly));
    edited.write("[P]\nOffsetX=abc\n[Q]\nScaleY=1000\n");
    edited.close();
    for (const char* name : {"P", "Q"}) {
        try {
            KxFindCalibration(QString::fromLatin1(name), file);
            ADD_FAILURE() << name << " was used";
        } catch (const EKxError& e) {
            EXPECT_TRUE(e.Message().contains(QStringLiteral("\"%1\"").arg(QLatin1String(name))))
                << e.Message().toStdString();
        }
    }
}
