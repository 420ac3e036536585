#include "print/PdfFile.h"

#include <charconv>
#include <cmath>
#include <cstdio>

void AppendPdfNumber(std::string& out, double v) {
    // Coordinates from a damaged file may be anything; a PDF has no token for infinity.
    if (!std::isfinite(v)) v = 0;
    char buffer[64];
    const double whole = std::round(v);
    std::to_chars_result r;
    if (std::abs(v - whole) < 5e-5 && std::abs(whole) < 1e15) {
        r = std::to_chars(buffer, buffer + sizeof buffer, static_cast<long long>(whole));
    } else {
        r = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed, 4);
        if (r.ec == std::errc())
            while (r.ptr[-1] == '0')
                --r.ptr;
        if (r.ptr[-1] == '.') --r.ptr;
    }
    if (r.ec != std::errc()) {
        out += '0';
        return;
    }
    out.append(buffer, r.ptr);
}

TPdfFile::TPdfFile(QIODevice* device)
    : FDevice(device) {
    // The second line's bytes above 127 mark the file as binary for programs that guess.
    Write("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n");
}

void TPdfFile::Write(std::string_view bytes) {
    if (bytes.empty()) return;
    if (!FDevice ||
        FDevice->write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size()))
        FOk = false;
    FAt += static_cast<qint64>(bytes.size());
}

int TPdfFile::Reserve() {
    FOffsets.push_back(-1);
    return static_cast<int>(FOffsets.size()) - 1;
}

void TPdfFile::Object(int n, std::string_view body) {
    BeginObject(n);
    Write(body);
    EndObject();
}

void TPdfFile::BeginObject(int n) {
    FOffsets[n] = FAt;
    Write(std::to_string(n) + " 0 obj\n");
}

void TPdfFile::EndObject() {
    Write("\nendobj\n");
}

void TPdfFile::Stream(int n, std::string_view entries, std::string_view data) {
    const QByteArray packed =
        qCompress(reinterpret_cast<const uchar*>(data.data()), static_cast<qsizetype>(data.size()), 6);
    // qCompress puts the unpacked length in front of the zlib stream.
    const std::string_view deflated =
        packed.size() > 4 ? std::string_view(packed.constData() + 4, packed.size() - 4) : std::string_view();
    std::string dict = "<<";
    dict += entries;
    dict += "/Filter/FlateDecode/Length " + std::to_string(deflated.size()) + ">>\nstream\n";
    FOffsets[n] = FAt;
    Write(std::to_string(n) + " 0 obj\n");
    Write(dict);
    Write(deflated);
    Write("\nendstream\nendobj\n");
}

void TPdfFile::Finish(int root, int info) {
    const qint64 xref = FAt;
    std::string table = "xref\n0 " + std::to_string(FOffsets.size()) + "\n0000000000 65535 f \n";
    char entry[32];
    // Written a few thousand entries at a time: a run of a million labels has a hundred thousand.
    for (size_t n = 1; n < FOffsets.size(); ++n) {
        // A number reserved and never written is a free entry, so the table stays sound.
        if (FOffsets[n] < 0)
            std::snprintf(entry, sizeof entry, "0000000000 65535 f \n");
        else
            std::snprintf(entry, sizeof entry, "%010lld 00000 n \n", static_cast<long long>(FOffsets[n]));
        table += entry;
        if (table.size() > (1 << 16)) {
            Write(table);
            table.clear();
        }
    }
    table += "trailer\n<</Size " + std::to_string(FOffsets.size()) + "/Root " + std::to_string(root) +
             " 0 R/Info " + std::to_string(info) + " 0 R>>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
    Write(table);
}

std::string TPdfFile::Text(const QString& s) {
    std::string out = "<FEFF";
    static const char* hex = "0123456789ABCDEF";
    for (QChar c : s) {
        const ushort u = c.unicode();
        for (int shift = 12; shift >= 0; shift -= 4)
            out += hex[(u >> shift) & 0xF];
    }
    return out + ">";
}
