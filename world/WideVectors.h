// The hottest loops are built twice on x86-64, for AVX2 and for any processor, and the one the
// processor can run is picked at start. Other targets (the browser's wasm, and Windows, whose
// executables have no resolver for the pick) build them once.
#pragma once

#if defined(__x86_64__) && !defined(__EMSCRIPTEN__) && !defined(_WIN32)
#define VELTRANO_WIDE_VECTORS __attribute__((target_clones("avx2", "default")))
#else
#define VELTRANO_WIDE_VECTORS
#endif
