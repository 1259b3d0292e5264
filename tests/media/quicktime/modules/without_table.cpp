// A library under the runtime's name that exports no table.
extern "C" __attribute__((visibility("default"))) int tumbloSomethingElse() { return 1; }
