#pragma once
// What an operation that rises to the user answers: done, or what kind of failure and
// where, each level putting its own context in front ("saving to flash: applying the
// edits first: writing profile 3: no reply within 500 ms").

#include <QString>

enum class FailureKind {
    None,
    NotConnected,
    LinkBusy,  // another operation holds the link; the text names it
    NoReply,
    Refused,   // the base or the tool's own rules said no
    FileError,
};

class OperationResult {
public:
    OperationResult() = default;
    static OperationResult done() { return {}; }
    static OperationResult failed(FailureKind kind, QString why) { return OperationResult(kind, std::move(why)); }
    // `holder` is who holds the link (LinkGate::holder()).
    static OperationResult busy(const QString &holder)
    {
        return OperationResult(FailureKind::LinkBusy, QStringLiteral("the link is busy: ") + holder);
    }

    bool ok() const { return kind_ == FailureKind::None; }
    explicit operator bool() const { return ok(); }
    FailureKind kind() const { return kind_; }
    const QString &text() const { return text_; }

    // The caller's context in front, as the failure rises.
    OperationResult &within(const QString &context)
    {
        if (!ok())
            text_.prepend(context + QStringLiteral(": "));
        return *this;
    }

private:
    OperationResult(FailureKind kind, QString text) : kind_(kind), text_(std::move(text)) {}
    FailureKind kind_ = FailureKind::None;
    QString text_;
};
