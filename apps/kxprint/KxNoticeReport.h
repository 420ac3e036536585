#pragma once

#include <QStringList>

#include "base/Notices.h"

/// The warnings kxprint shows after a run for what it noted, one a subject: pictures drawn as
/// placeholders, field texts cut, what a database server said.
QStringList KxNoticeLines(const TNoticeTally& Tally);

/// For --strict: raises EDBEngineError for a picture that cannot be read or a field text that was
/// cut, ending the run (the label's own pictures, read with the label, fail it as the label; a
/// record's, as its data). A server's notes pass.
void KxRefuseNotice(const TNotice& Notice);
