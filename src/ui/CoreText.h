// Desktop: the core's texts as Qt strings and back.
#pragma once

#include <QString>
#include <string>
#include <string_view>

// Texts of the core are bytes: UTF-8 when they came from this program, but a
// location's files may be older single-byte text. Both show readably; what
// the user types goes back as UTF-8.
QString FromCoreText(std::string_view text);
std::string ToCoreText(const QString& text);
