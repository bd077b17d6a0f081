#pragma once

#include "coordinate_error.h"
#include "window_model.h"

#include <cstddef>
#include <optional>
#include <ostream>

namespace velmora::testing {

// How a command ended: with a status, or stopped with a typed error. Any other
// exception escapes and fails the test.
struct Outcome {
    std::optional<Status> status;
    std::optional<ErrorKind> error;
    std::size_t line = 0;

    static Outcome Stopped(ErrorKind kind, std::size_t line = 0) { return {{}, kind, line}; }
    static Outcome Finished(Status status) { return {status, {}, 0}; }
    bool operator==(const Outcome&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Outcome& outcome) {
    if (outcome.status)
        return out << (*outcome.status == Status::Done ? "Done" : "FileMissing");
    if (outcome.error)
        return out << "stopped: " << CoordinateError(*outcome.error, 0, {}).what() << " at line "
                   << outcome.line;
    return out << "nothing";
}

template <class Command> Outcome RunCommand(Command&& command) {
    try {
        return Outcome::Finished(command());
    } catch (const CoordinateError& error) {
        return Outcome::Stopped(error.kind(), error.line());
    }
}

} // namespace velmora::testing
