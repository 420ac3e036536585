#pragma once

#include <QString>

/// What is wrong with a GS1 Digital Link URL, or empty when it is one: an http or https URL with a
/// host whose path names a primary key as a pair of segments, "/01/" and a GTIN of 8, 12, 13 or 14
/// digits, "/00/" and an SSCC of 18 digits, or "/414/" and a GLN of 13 digits, with its check digit.
QString KxDigitalLinkProblem(const QString& Url);
