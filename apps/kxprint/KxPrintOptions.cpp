#include "KxPrintOptions.h"

#include <QFileInfo>
#include <QHash>
#include <utility>

#include "db/Session.h"

namespace {

int ParseCount(const QString& option, const QString& text, int min, int max) {
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < min || value > max)
        throw EUsage(QStringLiteral("%1 needs a whole number from %2 to %3, not \"%4\"")
                         .arg(option)
                         .arg(min)
                         .arg(max)
                         .arg(text));
    return value;
}

TKxOutputKind KindOf(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == u"pdf") return TKxOutputKind::okPdf;
    if (suffix == u"png") return TKxOutputKind::okPng;
    if (suffix == u"bmp") return TKxOutputKind::okBmp;
    if (suffix == u"svg") return TKxOutputKind::okSvg;
    if (suffix == u"emf") return TKxOutputKind::okEmf;
    throw EUsage(QStringLiteral("cannot tell the output format of \"%1\": use .pdf, .png, .bmp, .svg or .emf")
                     .arg(path));
}

std::pair<QString, QString> ParseAlias(const QString& text) {
    static const QString prefix = QStringLiteral("sqlite:");
    const qsizetype eq = text.indexOf(u'=');
    const QString name = text.left(eq).trimmed();
    const QString target = eq < 0 ? QString() : text.mid(eq + 1);
    if (eq <= 0 || name.isEmpty() || !target.startsWith(prefix) || target.size() == prefix.size())
        throw EUsage(QStringLiteral("--alias needs NAME=sqlite:PATH, not \"%1\"").arg(text));
    return {name, target.mid(prefix.size())};
}

// The long form of an option, so -o and --output count as one.
QString LongName(const QString& option) {
    if (option == u"-o") return QStringLiteral("--output");
    if (option == u"-q") return QStringLiteral("--quiet");
    if (option == u"-h") return QStringLiteral("--help");
    return option;
}

} // namespace

TKxPrintOptions ParsePrintOptions(const QStringList& Args) {
    constexpr int maxCount = 2'000'000'000;
    TKxPrintOptions o;
    // Each option once: a second -o would silently lose the first.
    QHash<QString, bool> seen;
    QStringList words;
    for (qsizetype i = 0; i < Args.size(); ++i) {
        const QString& a = Args.at(i);
        const auto value = [&]() -> QString {
            if (i + 1 >= Args.size()) throw EUsage(QStringLiteral("%1 needs a value").arg(a));
            return Args.at(++i);
        };
        const QString key = LongName(a);
        if (key.startsWith(u"--") && key != u"--alias" && std::exchange(seen[key], true))
            throw EUsage(QStringLiteral("%1 is given twice").arg(key));
        if (a == u"-h" || a == u"--help")
            o.Help = true;
        else if (a == u"-o" || a == u"--output")
            o.Output = value();
        else if (a == u"--printer")
            o.PrinterName = value();
        else if (a == u"--dpi")
            o.Dpi = ParseCount(a, value(), 10, 2400);
        else if (a == u"--aliases")
            o.AliasesFile = value();
        else if (a == u"--alias") {
            auto alias = ParseAlias(value());
            for (const auto& [name, path] : o.Aliases)
                if (name.compare(alias.first, Qt::CaseInsensitive) == 0)
                    throw EUsage(QStringLiteral("--alias %1 is given twice").arg(name));
            o.Aliases.push_back(std::move(alias));
        } else if (a == u"--labs")
            o.Labs = ParseCount(a, value(), 1, maxCount);
        else if (a == u"--from")
            o.From = ParseCount(a, value(), 1, maxCount);
        else if (a == u"--to")
            o.To = ParseCount(a, value(), 1, maxCount);
        else if (a == u"--repeat")
            o.Repeat = ParseCount(a, value(), 1, maxCount);
        else if (a == u"--first-row")
            o.FirstRow = ParseCount(a, value(), 1, maxCount);
        else if (a == u"--first-col")
            o.FirstCol = ParseCount(a, value(), 1, maxCount);
        else if (a == u"--no-data")
            o.NoData = true;
        else if (a == u"-q" || a == u"--quiet")
            o.Quiet = true;
        else if (a == u"--strict")
            o.Strict = true;
        else if (a == u"--shard") {
            const QString text = value();
            const qsizetype slash = text.indexOf(u'/');
            if (slash < 0) throw EUsage(QStringLiteral("--shard takes K/N, as 3/8: not \"%1\"").arg(text));
            o.ShardParts = ParseCount(a, text.mid(slash + 1), 1, 10000);
            o.ShardPart = ParseCount(a, text.left(slash), 1, o.ShardParts);
        } else if (a == u"--calibration")
            o.Calibration = value();
        else if (a == u"--stock")
            o.Stock = value();
        else if (a == u"--quantity-field")
            o.QuantityField = value().trimmed();
        else if (a == u"--list-stocks")
            o.ListStocks = true;
        else if (a == u"--roll")
            o.Roll = true;
        else if (a.startsWith(u'-') && a.size() > 1)
            throw EUsage(QStringLiteral("unknown option %1").arg(a));
        else
            words.append(a);
    }
    if (o.Help) return o;
    if (o.ListStocks) {
        // Listing prints nothing: the words are what to look for.
        if (!o.Aliases.empty())
            throw EUsage(QStringLiteral("--list-stocks takes only words to look for, not --alias"));
        for (const QString& option : seen.keys())
            if (option != u"--list-stocks" && option != u"--quiet")
                throw EUsage(
                    QStringLiteral("--list-stocks takes only words to look for, not %1").arg(option));
        o.StockSearch = words.join(QLatin1Char(' '));
        return o;
    }
    if (words.size() > 1)
        throw EUsage(QStringLiteral("one label file only; \"%1\" is one too many").arg(words.at(1)));
    o.Label = words.value(0);
    if (o.Label.isEmpty()) throw EUsage(QStringLiteral("no label file given"));
    if (o.Output.isEmpty() == o.PrinterName.isEmpty())
        throw EUsage(QStringLiteral("give either -o FILE or --printer NAME"));
    o.Kind = o.PrinterName.isEmpty() ? KindOf(o.Output) : TKxOutputKind::okPrinter;
    if (o.From && o.To && *o.To < *o.From)
        throw EUsage(QStringLiteral("--to %1 comes before --from %2").arg(*o.To).arg(*o.From));
    if (o.NoData && (o.From || o.To))
        throw EUsage(QStringLiteral("--from and --to choose records; they make no sense with --no-data"));
    if (o.NoData && o.QuantityField && !o.QuantityField->isEmpty())
        throw EUsage(QStringLiteral(
            "--quantity-field reads each record's quantity; it makes no sense with --no-data"));
    if (o.ShardParts > 0 && !o.Output.isEmpty()) o.Output = KxPartPath(o.Output, o.ShardPart, o.ShardParts);
    return o;
}

QString KxPartPath(const QString& Output, int Part, int Parts) {
    const QFileInfo info(Output);
    const QString suffix = info.suffix();
    return Output.left(Output.lastIndexOf(u'/') + 1) + info.completeBaseName() +
           QStringLiteral(".part-%1-of-%2").arg(Part).arg(Parts) +
           (suffix.isEmpty() ? QString() : u'.' + suffix);
}

QString PrintUsage() {
    return QStringLiteral(
        "usage: kxprint LABEL (-o FILE | --printer NAME) [options]\n"
        "       kxprint --list-stocks [TEXT]   label stocks whose maker and part number hold TEXT\n"
        "\n"
        "Prints a label file, filled record by record from its database table, without a window.\n"
        "\n"
        "  -o, --output FILE     .pdf (one file), or .png .bmp .svg .emf (one file per sheet:\n"
        "                        FILE-1.png, FILE-2.png...)\n"
        "  --printer NAME        print on a system (CUPS) printer\n"
        "  --dpi N               resolution of .png and .bmp sheets (default 300)\n"
        "  --aliases FILE        read database aliases from an aliases file\n"
        "  --alias NAME=sqlite:PATH  define an alias on a SQLite database file\n"
        "  --labs N              labels of a run without data\n"
        "  --from N --to M       records to print (from 1)\n"
        "  --repeat N            labels per record\n"
        "  --quantity-field NAME  each record prints as many labels as its field NAME says\n"
        "                        (0 to 100000, times --repeat; 0 prints none); \"\" prints\n"
        "                        the same number of each record whatever the label says\n"
        "  --first-row R --first-col C  first cell used on the first sheet\n"
        "  --no-data             print the label without its database table\n"
        "  --shard K/N           print part K of N of the run, cut at sheet boundaries, to\n"
        "                        FILE.part-K-of-N.EXT; the N parts together are the whole run\n"
        "  --calibration NAME    correct the run by calibration profile NAME (a printer is\n"
        "                        corrected by its own profile without it)\n"
        "  --stock NAME          lay the sheet out as the label stock NAME (\"L7160\", \"Avery 5160\")\n"
        "                        for this run; the label file is not changed\n"
        "  --roll                one label per page, the page the label plus its gaps, as a\n"
        "                        roll (thermal) printer takes it, for this run\n"
        "  -q, --quiet           no progress and no warnings: errors only\n"
        "  --strict              a picture that cannot be read, or a field's text cut to\n"
        "                        65,536 characters, is an error rather than a warning\n"
        "\n"
        "The aliases file KXLAB_ALIASES names is read when --aliases names none.\n"
        "\n"
        "Exit status: 0 done, 2 bad command line, 3 label missing, corrupt or over a limit,\n"
        "4 unknown alias, 5 database error, no record or a bad quantity, 6 output or printer\n"
        "error, 7 the run failed otherwise (out of memory too). Outputs are replaced whole,\n"
        "only when the run succeeds.\n");
}

void TakeAliasesFromEnvironment(TKxPrintOptions& Options) {
    const char* variable = TSession::AliasFileVariable();
    const QString path = qEnvironmentVariable(variable);
    qunsetenv(variable);
    if (Options.AliasesFile.isEmpty()) Options.AliasesFile = path;
}
