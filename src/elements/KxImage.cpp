#include "elements/KxImage.h"

#include <map>

#include <algorithm>
#include <stdexcept>

#include "base/InvalidGraphic.h"
#include "base/Messages.h"
#include "base/Rounding.h"
#include "base/Saturate.h"
#include "elements/KxFieldValues.h"
#include "elements/KxRecordIO.h"
#include "gdi/Canvas.h"
#include "metafile/Picture.h"
#include "types/KxStrings.h"

namespace {

// The placeholder's text: 3 mm high, red, inset 1.5 mm from the frame.
constexpr int32_t PlaceholderFontHeight = 30;
constexpr int32_t PlaceholderInset = 15;

} // namespace

TKxImage::TKxImage(TKxOwner* AOwner)
    : TKxData(AOwner)
    , Picture(std::make_unique<TPicture>()) {}

TKxImage::~TKxImage() = default;

void TKxImage::SetFileImage(const QString& Name) {
    if (DataBase) return;
    FileImage = Name;
    try {
        Picture->LoadFromFile(Name);
        ImageLoaded = true;
    } catch (const EInvalidGraphic&) {
        ImageLoaded = false;
        ShowMessage(KxStr(KxInvalidFile) + Name);
    }
}

void TKxImage::AssignFromField(TTable* Record) {
    try {
        const QByteArray bytes = Record ? KxFieldPicture(*Record, Field) : QByteArray();
        // A record without a picture shows none, rather than the previous record's.
        if (bytes.isEmpty())
            Picture->Clear();
        else
            Picture->LoadFromBytes(bytes, Field);
    } catch (const std::runtime_error&) {
        // A field the table lacks (EDBEngineError) and bytes that are no picture (EInvalidGraphic)
        // end alike: the picture keeps what it held, and drawing goes on with it.
        ShowMessage(KxStr(KxInvalidImageField));
    }
}

void TKxImage::DrawPlaceholder(TCanvas& Canvas, TRect R, const QString& Message) const {
    Canvas.Rectangle(R);
    Canvas.Font.SetHeight(PlaceholderFontHeight);
    Canvas.Font.SetColor(clRed);
    Canvas.Font.SetName(QStringLiteral("Arial"));
    Canvas.Font.SetCharset(DEFAULT_CHARSET);
    // Styles and spacing that a text drawn before left on the canvas must not reach the message.
    Canvas.Font.SetStyle({});
    Canvas.SetTextCharacterExtra(0);
    InsetRect(R, PlaceholderInset, PlaceholderInset);
    Canvas.DrawText(Message, R, DT_WORDBREAK | DT_NOPREFIX);
}

TRect TKxImage::FittedBox(const TRect& R, const TGraphic& Graphic) const {
    TRect box = R;
    if (!AspectRatio) return box;
    // A box may span the whole coordinate range, so its sides and margins need 64 bits.
    const int64_t W = int64_t{R.Right} - R.Left, H = int64_t{R.Bottom} - R.Top;
    const int32_t gw = Graphic.Width(), gh = Graphic.Height();
    // A box without height counts as the widest there is.
    const bool wider = H == 0 || Extended(W) / H > Extended(gw) / gh;
    // MulDiv takes 32-bit sides; a longer one is fitted at its saturated length.
    if (wider)
        InsetRect(box, (W - MulDiv(Saturate32(H), gw, gh)) / 2, 0);
    else
        InsetRect(box, 0, (H - MulDiv(Saturate32(W), gh, gw)) / 2);
    return box;
}

void TKxImage::Draw(const TPoint& Origin, const TKxDrawContext& C) {
    TCanvas* canvas = DrawCanvas(C);
    if (!canvas) return;
    QString message = KxStr(KxInvalidFile) + FileImage;
    if (DataBase && C.WithData) {
        if (C.Target == tdLab) {
            message = Field;
            ImageLoaded = false;
        } else {
            ImageLoaded = true;
            AssignFromField(C.Record);
        }
    }
    TRect r = PlacedBox(Origin);
    const TPoint at = r.TopLeft();
    canvas->Pen.Width = PenWidth;
    canvas->Pen.Style = psInsideFrame;
    canvas->Pen.Color = LineColor;
    canvas->Brush.Style = bsClear;
    if (Border) {
        canvas->Rectangle(r);
        InsetRect(r, PenWidth, PenWidth);
    }
    // Without a graphic (an empty or failed field) there is no size to fit: nothing is drawn.
    const TGraphic* graphic = ImageLoaded && !Picture->Empty() ? Picture.get() : nullptr;
    if (!ImageLoaded)
        DrawPlaceholder(*canvas, r, message);
    else if (graphic && AutoSize)
        canvas->Draw(at.X, at.Y, *graphic);
    else if (graphic)
        canvas->StretchDraw(FittedBox(r, *graphic), *graphic);
    if (C.Target != tdLab) return;
    Bounds = WindowBox(C.Screen);
    if (graphic && AutoSize) {
        const Extended s = std::max(C.Screen.Scale, 1);
        Bounds.Right = Saturate32(Bounds.Left + static_cast<int64_t>(Round(graphic->Width() / s)));
        Bounds.Bottom = Saturate32(Bounds.Top + static_cast<int64_t>(Round(graphic->Height() / s)));
    }
}

void TKxImage::SaveToStream(QDataStream& S) const {
    WriteByte(S, ElementType());
    TKxData::SaveToStream(S);
    WriteStr(S, FileImage);
    WriteBool(S, AspectRatio);
    WriteBool(S, AutoSize);
}

void TKxImage::LoadFromStream(QDataStream& S, int Version) {
    TKxData::LoadFromStream(S, Version);
    const QString name = ReadStr(S);
    AspectRatio = ReadBool(S);
    if (Version == KxFileVersion) AutoSize = ReadBool(S);
    // Kept for the next save even while bound, though the setter would refuse it.
    FileImage = name;
}

void TKxImage::Loaded() {
    SetFileImage(FileImage);
}

void KxReuseShownPictures(const std::vector<std::unique_ptr<TKxElement>>& Shown,
                          const std::vector<std::unique_ptr<TKxElement>>& Restored) {
    struct TShown {
        TPicture Picture;
        bool Loaded = false;
    };
    std::map<QString, TShown> shown;
    for (const auto& e : Shown)
        if (const auto* image = dynamic_cast<const TKxImage*>(e.get()); image && !image->DataBase)
            shown.try_emplace(image->FileImage, TShown{*image->Picture, image->ImageLoaded});
    for (const auto& e : Restored) {
        auto* image = dynamic_cast<TKxImage*>(e.get());
        const auto it = image && !image->DataBase ? shown.find(image->FileImage) : shown.end();
        if (it == shown.end()) {
            e->Loaded();
            continue;
        }
        *image->Picture = it->second.Picture;
        image->ImageLoaded = it->second.Loaded;
    }
}
