// Makes the sample SQLite database of products and an aliases file naming it:
//     make_sample_db FOLDER [ROWS]
// FOLDER/products.db (replaced when present) and FOLDER/aliases.ini with the alias "Products".
// The rows are the same on every run.
#include <cstdio>
#include <QBuffer>
#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <random>

namespace {

const char* const Categories[] = {"Fruit", "Bakery", "Dairy", "Drinks", "Snacks", "Household"};
const char* const Words[] = {"Fresh", "Organic", "Classic", "Golden", "Mini", "Family", "Crispy", "Light"};
const char* const Things[] = {"Apples", "Bread", "Milk", "Juice", "Crackers", "Soap", "Cheese", "Tea"};

// EAN-13: twelve digits, then the check digit weighting them 1, 3, 1, 3... from the left.
QString Ean13(const QString& twelve) {
    int sum = 0;
    for (int i = 0; i < 12; ++i)
        sum += (twelve.at(i).unicode() - '0') * (i % 2 ? 3 : 1);
    return twelve + QChar('0' + (10 - sum % 10) % 10);
}

// A small picture per category: a coloured square with a lighter band, as PNG bytes.
QByteArray Picture(int category) {
    static const QRgb colours[] = {0xffd03030, 0xffc08030, 0xff3070d0, 0xff30a050, 0xffd0a020, 0xff8040a0};
    QImage image(32, 32, QImage::Format_RGB32);
    image.fill(colours[category]);
    for (int y = 12; y < 20; ++y)
        for (int x = 0; x < 32; ++x)
            image.setPixel(x, y, 0xfff0f0f0);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

bool Fail(const QString& text) {
    std::fprintf(stderr, "make_sample_db: %s\n", qPrintable(text));
    return false;
}

bool Make(const QString& folder, int rows) {
    if (!QDir().mkpath(folder)) return Fail(QStringLiteral("cannot make folder %1").arg(folder));
    const QString path = QDir(folder).filePath(QStringLiteral("products.db"));
    QFile::remove(path);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("sample"));
    db.setDatabaseName(path);
    if (!db.open()) return Fail(db.lastError().text());
    QSqlQuery query(db);
    if (!query.exec(
            QStringLiteral("CREATE TABLE products (id INTEGER PRIMARY KEY, name VARCHAR(40) NOT NULL, "
                           "price REAL, ean VARCHAR(13), instock BOOLEAN, category VARCHAR(20), "
                           "added DATE, picture GRAPHIC)")))
        return Fail(query.lastError().text());
    db.transaction();
    query.prepare(QStringLiteral("INSERT INTO products VALUES (?, ?, ?, ?, ?, ?, ?, ?)"));
    std::mt19937 random(20240301);
    const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    QByteArray pictures[std::size(Categories)];
    for (size_t c = 0; c < std::size(Categories); ++c)
        pictures[c] = Picture(static_cast<int>(c));
    for (int id = 1; id <= rows; ++id) {
        const int category = pick(static_cast<int>(std::size(Categories)));
        query.addBindValue(id);
        query.addBindValue(QStringLiteral("%1 %2 %3").arg(Words[pick(8)], Things[pick(8)]).arg(id));
        query.addBindValue((49 + pick(2000)) / 100.0);
        query.addBindValue(
            Ean13(QStringLiteral("84%1").arg(1000000000 + id * 7919LL % 1000000000, 10, 10, QChar('0'))));
        query.addBindValue(pick(4) != 0 ? 1 : 0);
        query.addBindValue(QString::fromLatin1(Categories[category]));
        query.addBindValue(QDate(2023, 1, 1).addDays(pick(700)).toString(Qt::ISODate));
        query.addBindValue(id % 10 == 0 ? QVariant() : QVariant(pictures[category]));
        if (!query.exec()) return Fail(query.lastError().text());
    }
    if (!db.commit()) return Fail(db.lastError().text());
    QFile aliases(QDir(folder).filePath(QStringLiteral("aliases.ini")));
    if (!aliases.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return Fail(QStringLiteral("cannot write %1").arg(aliases.fileName()));
    aliases.write("; Made by make_sample_db. Relative paths resolve against this file's folder.\n"
                  "[Products]\n"
                  "Driver=SQLite\n"
                  "Path=products.db\n");
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int rows = args.size() > 2 ? args.at(2).toInt() : 300;
    if (args.size() < 2 || rows < 1 || rows > 1000000) {
        std::fprintf(stderr, "usage: make_sample_db FOLDER [ROWS, 1 to 1000000, default 300]\n");
        return 2;
    }
    bool made = false;
    { made = Make(args.at(1), rows); }
    QSqlDatabase::removeDatabase(QStringLiteral("sample"));
    return made ? 0 : 1;
}
