#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <string>
#include <string_view>
#include <vector>

/// Appends a number as a PDF writes it: whole numbers bare, others to four decimals without trailing
/// zeros. Device pixels at 1200 dpi need no more.
void AppendPdfNumber(std::string& out, double v);

/// A PDF file written object by object to a device, with its cross-reference table at the end.
/// Object numbers may be taken before the object is written. Write errors are remembered, not
/// thrown: Ok() tells at the end whether every byte reached the device.
class TPdfFile {
public:
    explicit TPdfFile(QIODevice* device);

    /// A new object number.
    int Reserve();
    /// Writes object n with the given body (a dictionary, an array, ...).
    void Object(int n, std::string_view body);
    /// Writes object n in parts, for a body too long to hold at once: Begin, Write each part, End.
    void BeginObject(int n);
    void Write(std::string_view bytes);
    void EndObject();
    /// Writes object n as a stream: dictionary entries (without << >>) and the data, deflated.
    void Stream(int n, std::string_view entries, std::string_view data);
    /// Writes the cross-reference table and the trailer naming the catalogue and the information.
    void Finish(int root, int info);
    bool Ok() const { return FOk; }

    /// A text string: UTF-16 with its byte-order mark, in hexadecimal.
    static std::string Text(const QString& s);

private:
    QIODevice* FDevice;
    std::vector<qint64> FOffsets{0};
    qint64 FAt = 0;
    bool FOk = true;
};
