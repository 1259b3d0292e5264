#pragma once
// What the program learns about the machine it runs on, and where its diagnostic messages go.
// Any thread may call these.

namespace plat {

// Whether the processor has the MMX instructions.
bool cpuHasMmx();

// Sends one diagnostic message to the developer's output (standard error).
void debugOutput(const char* text);
// A step of the program that a developer follows with TUMBLO_TRACE=1 in its environment (on
// standard error); quiet otherwise, as a debugger's output is when no debugger listens.
void traceOutput(const char* text);

}  // namespace plat
