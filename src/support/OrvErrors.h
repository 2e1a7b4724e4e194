#pragma once
// Errors are exceptions carrying a message. A routine that lets an error pass puts its own name in front
// of the message (WithPrefix), so the user reads the chain of places, outermost first.

#include <QString>

#include <exception>
#include <string>
#include <utility>

class EOrvError : public std::exception {
public:
    explicit EOrvError(QString message) : FMessage(std::move(message)) {}
    const QString& Message() const { return FMessage; }
    void Prefix(const QString& prefix) {
        FMessage.prepend(prefix);
        FWhat.clear();
    }
    const char* what() const noexcept override;

private:
    QString FMessage;
    mutable std::string FWhat;
};

class EOutputSetError : public EOrvError {
    using EOrvError::EOrvError;
};
class EDataGroupError : public EOrvError {
    using EOrvError::EOrvError;
};
class EDBComponentError : public EOrvError {
    using EOrvError::EOrvError;
};
class ENumericError : public EOrvError {
    using EOrvError::EOrvError;
};
// Raised by the database engine adapter: the engine's own message.
class EDatabaseError : public EOrvError {
    using EOrvError::EOrvError;
};

// Runs body; an EOrvError passing through gets prefix in front of its message and is rethrown as the same
// object, any other std::exception becomes an EOrvError with the prefixed text.
template <class Body> decltype(auto) WithPrefix(const QString& prefix, Body&& body) {
    try {
        return std::forward<Body>(body)();
    } catch (EOrvError& e) {
        e.Prefix(prefix);
        throw;
    } catch (const std::exception& e) {
        throw EOrvError(prefix + QString::fromUtf8(e.what()));
    }
}

// "Class.Method: ", the prefix of a method.
inline QString MethodPrefix(const char* className, const char* method) {
    return QString::fromLatin1(className) + u'.' + QString::fromLatin1(method) + QStringLiteral(": ");
}

// Gives a source file Prefix("Method") == "Class.Method: " for the class it implements. The class must be
// complete there, so a renamed class cannot leave a stale name in the messages.
#define ORV_METHOD_PREFIXES(ClassName)                                                                                 \
    namespace {                                                                                                        \
    [[maybe_unused]] QString Prefix(const char* method) {                                                              \
        static_assert(sizeof(ClassName) > 0, "the class of the prefixes");                                             \
        return MethodPrefix(#ClassName, method);                                                                       \
    }                                                                                                                  \
    }
