#pragma once
// The program's general error type: it carries a message text (GBK) and nothing else.
// Kinds derived from it add no data; they only let a catch site tell them apart.

#include <exception>
#include <string>

class Exception : public std::exception {
public:
    explicit Exception(std::string message) : m_message(std::move(message)) {}

    const std::string& Message() const noexcept { return m_message; }
    const char* what() const noexcept override { return m_message.c_str(); }

private:
    std::string m_message;
};
