/* Workload of the run-control benchmark: a counted loop of known length, then done(). */
volatile unsigned long total;
void done(void) { for (;;) ; }
void main(void)
{
  unsigned long i;
  for (i = 0; i < 2000000; i++)
    total += i;
  done();
}
