#include "designer/KxClipboard.h"

TKxClipboard& KxClipboard() {
    static TKxClipboard clipboard;
    return clipboard;
}
