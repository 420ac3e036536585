#include "KxElementCaption.h"

#include <QFileInfo>

#include "elements/KxAddText.h"
#include "elements/KxBarCode.h"
#include "elements/KxElementFacts.h"
#include "elements/KxImage.h"
#include "KxMainWindow.h"

QString KxKindName(TKxEle Kind) {
    switch (Kind) {
    case deLine: return TKxMainWindow::tr("Line");
    case deText: return TKxMainWindow::tr("Text");
    case deBar: return TKxMainWindow::tr("Barcode");
    case deRect: return TKxMainWindow::tr("Rectangle");
    case deSymbol: return TKxMainWindow::tr("Symbol");
    case dePoliText: return TKxMainWindow::tr("Compound text");
    case deImage: return TKxMainWindow::tr("Picture");
    case deParagraph: return TKxMainWindow::tr("Paragraph");
    default: return TKxMainWindow::tr("Element");
    }
}

namespace {

QString Content(const TKxElement& E) {
    if (const TKxData* data = KxDataOf(&E); data && data->DataBase && !data->Field.isEmpty())
        return QStringLiteral("[%1]").arg(data->Field);
    if (const auto* compound = dynamic_cast<const TKxAddText*>(&E))
        return compound->Before + compound->Text + compound->After;
    if (const auto* text = dynamic_cast<const TKxDataText*>(&E)) return text->Text;
    if (const auto* bar = dynamic_cast<const TKxBarCode*>(&E)) return bar->Code;
    if (const auto* image = dynamic_cast<const TKxImage*>(&E)) return QFileInfo(image->FileImage).fileName();
    return {};
}

} // namespace

QString KxElementCaption(const TKxElement& E) {
    // One line in a list: a paragraph's breaks would make rows of uneven height.
    const QString content = Content(E).simplified();
    const QString kind = KxKindName(E.ElementType());
    return content.isEmpty() ? kind : QStringLiteral("%1: %2").arg(kind, content);
}
