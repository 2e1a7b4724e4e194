#include "platform/WaitCursor.h"

namespace {
int depth = 0;
std::function<void(bool)> showHook;
}

TWaitCursor::TWaitCursor() {
    if (depth++ == 0 && showHook) showHook(true);
}

TWaitCursor::~TWaitCursor() {
    if (--depth == 0 && showHook) showHook(false);
}

void TWaitCursor::InstallHook(std::function<void(bool)> show) { showHook = std::move(show); }
