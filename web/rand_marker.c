/* Linked into the node runner with --wrap=rand. With LUMEN_MARK_RAND set in the environment, the
   first rand() call prints "rand drawn" on standard output, just before the trace line of the frame
   that drew it: the browser's C library has another rand(), so from that frame on the state may
   differ from the native runner's. Without the variable the output is the native runner's. */
#include <stdio.h>
#include <stdlib.h>

int __real_rand(void);

int __wrap_rand(void) {
    static int marked = 0; /* one line per run */
    if (!marked) {
        marked = 1;
        if (getenv("LUMEN_MARK_RAND") != NULL) {
            printf("rand drawn\n");
        }
    }
    return __real_rand();
}
