/* Preloaded into the game by measure-game.sh: writes the time of each of the first presented
 * frames (SDL_GL_SwapWindow) to the file $POMELANE_PROBE, one "swap N SECONDS" a line, on
 * the same clock as `date +%s.%N`. Nothing else changes. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

void SDL_GL_SwapWindow(void* window) {
    static void (*real)(void*) = 0;
    static int n = 0;
    if (!real) real = (void (*)(void*))dlsym(RTLD_NEXT, "SDL_GL_SwapWindow");
    real(window);
    if (++n <= 3) {
        const char* path = getenv("POMELANE_PROBE");
        FILE* f = path ? fopen(path, "a") : 0;
        if (f) {
            struct timespec t;
            clock_gettime(CLOCK_REALTIME, &t);
            fprintf(f, "swap %d %ld.%09ld\n", n, (long)t.tv_sec, t.tv_nsec);
            fclose(f);
        }
    }
}
