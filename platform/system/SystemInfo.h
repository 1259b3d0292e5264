#pragma once
// What the program learns about the machine it runs on, and where its diagnostic messages go.
// Any thread may call these.

namespace plat {

// Whether the processor has the MMX instructions.
bool cpuHasMmx();

// Sends one diagnostic message to the developer's output (standard error).
void debugOutput(const char* text);

}  // namespace plat
