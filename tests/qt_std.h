#pragma once

// Lets QCOMPARE print standard strings and optionals when a comparison fails.

#include <QtTest>

#include <optional>
#include <string>

namespace QTest {

template <>
inline char* toString(const std::string& text)
{
    return toString(QString::fromStdString(text));
}

template <>
inline char* toString(const std::optional<std::string>& text)
{
    return text ? toString(*text) : qstrdup("(fails)");
}

template <>
inline char* toString(const std::optional<double>& value)
{
    return value ? toString(*value) : qstrdup("(fails)");
}

} // namespace QTest

Q_DECLARE_METATYPE(std::string)
Q_DECLARE_METATYPE(std::optional<std::string>)
Q_DECLARE_METATYPE(std::optional<double>)
