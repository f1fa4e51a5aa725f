// Program texts (UTF-8 std::string) as QString, so that QCOMPARE prints them when they differ.
#pragma once

#include <QString>

#include <string_view>

inline QString Q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
