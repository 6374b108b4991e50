/* A peer for scripts/measure-quality.sh: speexdsp's preprocessor (noise
 * suppression only) over 16-bit mono raw samples, 20 ms frames, standard
 * input to standard output. Usage: speex_denoise RATE SUPPRESS_DB < in > out
 * (SUPPRESS_DB negative, e.g. -30). The last partial frame is padded with
 * silence and cut back, so the output has as many samples as the input. */
#include <speex/speex_preprocess.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

int main(int argc, char** argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: speex_denoise RATE SUPPRESS_DB < in.raw > out.raw\n");
        return 2;
    }
    const int rate = atoi(argv[1]);
    int suppress = atoi(argv[2]);
    const int frame = rate / 50;
    if (rate <= 0 || frame <= 0) return 2;
    SpeexPreprocessState* state = speex_preprocess_state_init(frame, rate);
    int on = 1;
    int off = 0;
    speex_preprocess_ctl(state, SPEEX_PREPROCESS_SET_DENOISE, &on);
    speex_preprocess_ctl(state, SPEEX_PREPROCESS_SET_NOISE_SUPPRESS, &suppress);
    speex_preprocess_ctl(state, SPEEX_PREPROCESS_SET_AGC, &off);
    spx_int16_t* buffer = calloc((size_t)frame, sizeof(spx_int16_t));
    size_t got;
    while ((got = fread(buffer, sizeof(spx_int16_t), (size_t)frame, stdin)) > 0) {
        if (got < (size_t)frame) memset(buffer + got, 0, ((size_t)frame - got) * sizeof(spx_int16_t));
        speex_preprocess_run(state, buffer);
        fwrite(buffer, sizeof(spx_int16_t), got, stdout);
    }
    free(buffer);
    speex_preprocess_state_destroy(state);
    return 0;
}
