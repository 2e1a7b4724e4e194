#include "support/OrvErrors.h"

const char* EOrvError::what() const noexcept {
    if (FWhat.empty()) FWhat = FMessage.toStdString();
    return FWhat.c_str();
}
