// The plumbing between Lumora and the stb libraries compiled in stb_impl.cpp:
// their allocator, which every result of theirs comes from, and their failure
// reason.
#pragma once
#include <stddef.h>

// Forgets the library's last failure reason, so a reason read after a call
// belongs to that call.
void stb_clear_failure_reason();

// Makes every allocation of the library above max_bytes fail (0: no limit), so
// a fuzzer spends its time on decoding rather than on filling huge buffers, and
// meets the out-of-memory paths of large pictures.
void stb_limit_allocation_size(size_t max_bytes);

// Makes the library's allocations fail from the nth one on (1 = the next one),
// so its out-of-memory paths can be tried; 0 lets them all succeed again.
// Results of the library are plain malloc blocks either way: free() releases them.
void stb_fail_allocations_from(int n);
