// Linked into every fuzz target. A tiny file may declare a picture of
// 30000 x 30000: let allocations above 512 MB fail as they would in the
// 32-bit program, so the decoder's out-of-memory path is fuzzed too instead of
// the fuzzer stopping on the allocation.
extern "C" const char* __asan_default_options() {
    return "allocator_may_return_null=1:max_allocation_size_mb=512";
}
