#include "designer/KxClipboard.h"

void TKxClipboard::Store(const QByteArray& Record, TKxEle Kind) {
    FRecord = Record;
    FKind = Kind;
}

void TKxClipboard::Clear() {
    FRecord = QByteArray();
    FKind = dePoint;
}

TKxClipboard& KxClipboard() {
    static TKxClipboard clipboard;
    return clipboard;
}
