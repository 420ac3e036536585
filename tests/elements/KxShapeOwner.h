#pragma once

#include <QByteArray>
#include <QDataStream>
#include <QImage>
#include <QString>
#include <QVariantList>
#include <vector>

#include "common/TestSupport.h"

#include "elements/KxElement.h"
#include "elements/KxOwner.h"
#include "platform/Bitmap.h"
#include "platform/Rounding.h"
#include "platform/Session.h"
#include "platform/Table.h"

/// An owner with a real bitmap for each drawing target. The design surface maps label units to
/// pixels like the control (Scale label units per pixel, the label's corner at OriginX/OriginY);
/// paper and preview pages draw one label unit per pixel. Each launcher counts its calls.
class TShapeOwner : public TKxOwner {
public:
    explicit TShapeOwner(int32_t scale = 1, int32_t originX = 0, int32_t originY = 0)
        : Scale(scale)
        , OriginX(originX)
        , OriginY(originY) {
        Lab.Canvas().SetMapMode(MM_ISOTROPIC);
        Lab.Canvas().SetWindowExtEx(scale, scale);
        Lab.Canvas().SetViewportExtEx(1, 1);
        Lab.Canvas().SetViewportOrgEx(originX, originY);
    }

    TKxUnits Units = unMM;
    int32_t Scale;
    int32_t OriginX;
    int32_t OriginY;
    TTable* Table = nullptr;
    bool HasPreview = true;
    TBitmap Lab{400, 300};
    TBitmap Print{400, 300};
    TBitmap Preview{400, 300};
    QString Launched;
    bool LaunchedNew = false;

    TKxUnits GetUnits() const override { return Units; }
    int32_t WindowX(int32_t x) const override {
        return static_cast<int32_t>(Round(Extended(x) / Scale)) + OriginX;
    }
    int32_t WindowY(int32_t y) const override {
        return static_cast<int32_t>(Round(Extended(y) / Scale)) + OriginY;
    }
    int32_t GetScale() const override { return Scale; }
    TCanvas* GetCanvas(TKxDrawType DrawType) override {
        switch (DrawType) {
        case tdLab: return &Lab.Canvas();
        case tdPrint: return &Print.Canvas();
        case tdPreview: return HasPreview ? &Preview.Canvas() : nullptr;
        }
        return nullptr;
    }
    /// Wipes every target to white, keeping the canvases' mappings.
    void Clear(int width = 400, int height = 300) {
        for (TBitmap* b : {&Lab, &Print, &Preview}) {
            b->SetSize(0, 0);
            b->SetSize(width, height);
        }
    }
    const QImage& Image(TKxDrawType DrawType) const {
        return DrawType == tdLab ? Lab.Image() : DrawType == tdPrint ? Print.Image() : Preview.Image();
    }
    TTable* GetTable() override { return Table; }
    int32_t GetGuideLeft() const override { return 0; }
    int32_t GetGuideTop() const override { return 0; }
    void PropTxt() override { Launched = "PropTxt"; }
    void PropAdTxt() override { Launched = "PropAdTxt"; }
    void PropPar() override { Launched = "PropPar"; }
    void PropBar() override { Launched = "PropBar"; }
    void PropSymbol() override { Launched = "PropSymbol"; }
    void PropLin() override { Launched = "PropLin"; }
    void PropRect() override { Launched = "PropRect"; }
    void PropImage(bool IsNew) override {
        Launched = "PropImage";
        LaunchedNew = IsNew;
    }
};

/// The bytes an element writes, tag included, little-endian as in label files.
QByteArray SaveRecord(const TKxElement& e);
/// Reads a record written by SaveRecord (skipping the tag) into e; answers the stream status.
QDataStream::Status LoadRecord(TKxElement& e, const QByteArray& bytes, int version = 14);

/// A real SQLite table for one test: the database file in a temporary folder, reached through an
/// alias of a session of its own, the table open on its first record. Setting up fails the test.
struct TSqliteTable {
    /// Creates table Name with Columns (SQL column definitions) and inserts Rows.
    TSqliteTable(const QString& Name, const QString& Columns, const std::vector<QVariantList>& Rows);

    TKxTempDir Dir;
    TSession Session;
    TTable Table{&Session};
};
