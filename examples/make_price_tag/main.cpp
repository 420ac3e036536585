// Makes the example price-tag label, bound to the sample products table:
//     make_price_tag FILE.kxl [LAST_RECORD] [--plain]
// An A4 sheet of 3 x 7 tags, each with the product name, the price as compound text, the EAN-13 of
// the record, a mark when the product is in stock and a border. It prints records 1 to LAST_RECORD
// (default 300, the sample database's size) of the alias "Products", table "products". --plain: a
// square border and no stock mark, the label of the peer tool the benchmarks compare with.
#include <cstdio>
#include <exception>
#include <QGuiApplication>

#include "label/KxLabel.h"
#include "PriceTag.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QStringList args = app.arguments();
    const bool plain = args.removeAll(QStringLiteral("--plain")) > 0;
    const int last = args.size() > 2 ? args.at(2).toInt() : 300;
    if (args.size() < 2 || last < 1) {
        std::fprintf(stderr, "usage: make_price_tag FILE.kxl [LAST_RECORD, default 300] [--plain]\n");
        return 2;
    }
    try {
        TKxLabel lab;
        MakePriceTag(lab, last, plain);
        lab.SaveToFile(args.at(1));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_price_tag: %s\n", e.what());
        return 1;
    }
    return 0;
}
