/* A function defined in a header: its code belongs to the one file that includes it. */
static int twice(int v)
{
  return v + v;
}
