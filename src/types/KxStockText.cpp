#include "types/KxStockText.h"

#include <cmath>
#include <QCoreApplication>
#include <QRegularExpression>

namespace {

QString Tr(const char* Text) {
    return QCoreApplication::translate("TKxStock", Text);
}

} // namespace

QString KxStockMm(double Mm) {
    return QString::number(std::round(Mm * 100.0) / 100.0, 'f', 2)
        .remove(QRegularExpression(QStringLiteral("\\.?0+$")));
}

QString KxStockSizeText(const TKxStock& Stock) {
    if (Stock.Shape != TKxStockShape::Round)
        return Tr("%1 x %2 mm").arg(KxStockMm(Stock.Width), KxStockMm(Stock.Height));
    if (Stock.HoleRadius > 0)
        return Tr("%1 mm round, hole %2 mm").arg(KxStockMm(Stock.Width), KxStockMm(2 * Stock.HoleRadius));
    return Tr("%1 mm round").arg(KxStockMm(Stock.Width));
}

QString KxStockLayoutText(const TKxStock& Stock) {
    const QString paper =
        Stock.PaperName == u"Other" || Stock.PaperName.isEmpty()
            ? Tr("%1 x %2 mm").arg(KxStockMm(Stock.PaperWidth), KxStockMm(Stock.PaperHeight))
            : Stock.PaperName;
    return Tr("%1 x %2, %3").arg(Stock.Columns).arg(Stock.Rows).arg(paper);
}

QString KxStockIssueText(const TKxStock& Stock) {
    switch (Stock.Issue()) {
    case TKxStockIssue::None: return {};
    case TKxStockIssue::Shape:
        switch (Stock.Shape) {
        case TKxStockShape::Ellipse: return Tr("elliptic labels cannot be drawn");
        case TKxStockShape::CutDisc: return Tr("discs cut straight on two sides cannot be drawn");
        default: return Tr("the shape \"%1\" cannot be drawn").arg(Stock.ShapeName);
        }
    case TKxStockIssue::SeveralLayouts: return Tr("%1 layouts on one sheet").arg(Stock.Layouts);
    case TKxStockIssue::TooSmall: return Tr("smaller than the smallest label, 10 x 5 mm");
    case TKxStockIssue::Overlap: return Tr("neighbouring labels overlap");
    case TKxStockIssue::Paper: return Tr("the paper \"%1\" is not known").arg(Stock.PaperName);
    case TKxStockIssue::Original:
        return Tr("the original \"%1\" is not in the catalogue").arg(Stock.Equivalent);
    }
    return {};
}
