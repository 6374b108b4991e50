// The source of the targets that only carry precompiled headers
// (cmake/PrecompiledHeaders.cmake); never run.
int main() { return 0; }
