/* The chip library's entry `emcalls`: the simulator's own record of the calls in progress,
   for tests that check a debugger's call stack against what the CPU really did. Plain C, so
   that a test or tool can declare the entry it looks up with dlsym. */
#ifndef YAVSIM_EMCALLS_H
#define YAVSIM_EMCALLS_H

#ifdef __cplusplus
extern "C" {
#endif

/* One call in progress, as the CPU entered it. */
struct yavsim_call {
  unsigned short entry;          /* the callee's first instruction (a handler's vector target) */
  unsigned short return_address; /* the stacked PC: where the caller goes on */
  unsigned short sp;             /* SP right after the return address (and registers) were pushed */
  unsigned char interrupt;       /* 1: an interrupt or SWI entry, left by RTI */
  unsigned char reserved;
};

enum {
  YAVSIM_CALLS_OFF = 0,  /* stop recording and empty the record */
  YAVSIM_CALLS_ON = 1,   /* start recording from now on, with an empty record */
  YAVSIM_CALLS_READ = 2  /* leave the record as it is */
};

/* Applies `mode`, then copies up to `max` calls, outermost first, to `calls` (may be null
   with `max` 0). Returns how many calls the record holds (more than `max` when they did not
   all fit), or -1 for an unknown mode. */
typedef int (*yavsim_emcalls_fn)(int mode, struct yavsim_call* calls, int max);

#ifdef __cplusplus
}
#endif

#endif
