#pragma once
// The message of the error that body raises; empty when it raises none, so a comparison with the expected
// message fails then.

#include "support/OrvErrors.h"

template <class Body> QString CaughtError(Body&& body) {
    try {
        body();
    } catch (const EOrvError& e) {
        return e.Message();
    }
    return QString();
}
