#pragma once

#include <string>
#include <utility>
#include <variant>

namespace tessnivar {

// Why something could not be done, in words for the person: the system's reason for a failed
// call, or the program's own.
struct Failure {
    std::string reason;
};

// What an operation gives back when done is all there is to say.
struct Done {};

// The value an operation made, or why it made none as a value: a Failure, unless the operation
// has a vocabulary of its own.
template <typename T, typename E = Failure> class [[nodiscard]] Result {
public:
    Result(T value) : outcome_(std::move(value)) {}
    Result(E error) : outcome_(std::move(error)) {}

    [[nodiscard]] bool ok() const noexcept { return outcome_.index() == 0; }
    [[nodiscard]] const T& value() const { return std::get<0>(outcome_); }
    [[nodiscard]] const E& error() const { return std::get<1>(outcome_); }

private:
    std::variant<T, E> outcome_;
};

// The outcome of an operation that makes no value: done, or the Failure that stopped it.
using Status = Result<Done>;

} // namespace tessnivar
