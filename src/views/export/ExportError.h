// The error an export ends with: a message written for the user (which file,
// what went wrong), shown as it is.
#pragma once

#include <QString>

#include <stdexcept>

namespace moravel {

class ExportError : public std::runtime_error {
public:
    explicit ExportError(const QString& message) : std::runtime_error(message.toStdString()) {}
};

}  // namespace moravel
