// stb_image's own BMP reader, private to the benchmark, as the peer to beat.
#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_ONLY_BMP
#define STBI_NO_STDIO
#include <stb_image.h>

unsigned char* stb_reference_load(const unsigned char* data, int size, int* w, int* h) {
    int channels = 0;
    return stbi_load_from_memory(data, size, w, h, &channels, 3);
}

void stb_reference_free(unsigned char* pixels) { stbi_image_free(pixels); }
