// OpenCL 1.2 C. One work item per boot moment: its seed from the block's prepared SHA-1
// state, then the mode's random sequence as far as the prefilter reads, then the first
// start position at which every range test passes. The host defines the search's shape:
//   MOMENTS_PER_BLOCK, MASKS     the moments of a block (date, VCount, Timer0) and a time
//   ROUNDS_9_TO_79               SHA-1 rounds 9 to 79 of a block's message (see seedOf)
//   SEQUENCE_MT or SEQUENCE_LCG  the sequence the prefilter reads
//   FIRST, ROWS, POSITIONS       its first row's position, rows read, start positions
//   PASSES_MT(r, p)              the range tests at start position p
//   PASSES_LCG(s)                the same on the LCG, s its state at the first test's row
//   FIRST_MUL, FIRST_ADD         the LCG jump from the seed to that row of position 0

#define DAY_WORDS 85  // schedule[80], then the working variables after round 8

uint byteSwap(uint x) { return (x >> 24) | ((x >> 8) & 0xFF00u) | ((x << 8) & 0xFF0000u) | (x << 24); }

ulong lcgStep(ulong s) { return s * 0x5D588B656C078965UL + 0x269EC3UL; }

#define CHOOSE(b, c, d) bitselect(d, c, b)
#define PARITY(b, c, d) ((b) ^ (c) ^ (d))
#define MAJORITY(b, c, d) bitselect(c, b, (c) ^ (d))
#define ROUND(f, k, w)                                  \
  temp = rotate(a, 5u) + f(b, c, d) + e + (k) + (w); \
  e = d;                                                \
  d = c;                                                \
  c = rotate(b, 30u);                                   \
  b = a;                                                \
  a = temp;

// The seed of the block's message with W9 = timeWord and W12 = keyWord: SHA-1 rounds 9 to
// 79 from the state after round 8. ROUNDS_9_TO_79 is written out by the host, one
// statement per round, the schedule words that vary computed in a ring w0 to w15 and the
// others read from the day: straight-line code whatever a driver's compiler unrolls.
ulong seedOf(__global const uint* day, uint timeWord, uint keyWord) {
  uint a = day[80], b = day[81], c = day[82], d = day[83], e = day[84], temp;
  ROUNDS_9_TO_79
  const ulong digest = ((ulong)byteSwap(b + 0xEFCDAB89u) << 32) | byteSwap(a + 0x67452301u);
  return lcgStep(digest);
}

// The seed of moment `firstWithin + id` counted from the start of the launch's first block.
ulong momentSeed(uint firstWithin, uint id, __global const uint* days, __global const uint* timeWords,
                 __global const uint* keyWords) {
  const uint at = firstWithin + id;
  const uint block = at / MOMENTS_PER_BLOCK;
  const uint within = at - block * MOMENTS_PER_BLOCK;
  const uint time = within / MASKS;
  const uint mask = within - time * MASKS;
  return seedOf(days + block * DAY_WORDS, timeWords[time], keyWords[mask]);
}

void emit(__global uint2* out, volatile __global uint* outCount, uint capacity, uint id, uint position) {
  const uint slot = atomic_inc(outCount);
  if (slot < capacity) out[slot] = (uint2)(id, position);
}

#if defined(SEQUENCE_MT)
uint temper(uint y) {
  y ^= y >> 11;
  y ^= (y << 7) & 0x9D2C5680u;
  y ^= (y << 15) & 0xEFC60000u;
  return y ^ (y >> 18);
}

uint twist(uint word, uint low, uint next) {
  const uint y = (low & 0x80000000u) | (next & 0x7FFFFFFFu);
  return word ^ (y >> 1) ^ ((y & 1u) != 0 ? 0x9908B0DFu : 0u);
}

// Rows FIRST to FIRST + ROWS - 1 of MT19937 seeded with `seed`.
void mtRows(uint seed, uint* rows) {
#if FIRST + ROWS - 1 <= 226
  // No output up to 226 reads a word the twist has rewritten: seeding runs to word
  // last + 397, keeping words FIRST to last + 1, and each output is twisted in place.
  // The unrolled loops keep the rows in registers.
  uint low[ROWS + 1];
  uint x = seed;
  for (int i = 1; i < FIRST; ++i) x = 1812433253u * (x ^ (x >> 30)) + (uint)i;
#pragma unroll
  for (int r = 0; r <= ROWS; ++r) {
    if (FIRST + r > 0) x = 1812433253u * (x ^ (x >> 30)) + (uint)(FIRST + r);
    low[r] = x;
  }
  for (int i = FIRST + ROWS + 1; i < FIRST + 397; ++i) x = 1812433253u * (x ^ (x >> 30)) + (uint)i;
#pragma unroll
  for (int r = 0; r < ROWS; ++r) {
    x = 1812433253u * (x ^ (x >> 30)) + (uint)(FIRST + 397 + r);
    rows[r] = temper(twist(x, low[r], low[r + 1]));
  }
#else
  // Far positions: the whole state, twisted as often as needed.
  uint mt[624];
  mt[0] = seed;
  for (int i = 1; i < 624; ++i) mt[i] = 1812433253u * (mt[i - 1] ^ (mt[i - 1] >> 30)) + (uint)i;
  int index = 624;
  for (int position = 0; position < FIRST + ROWS; ++position) {
    if (index == 624) {
      for (int k = 0; k < 624; ++k) mt[k] = twist(mt[(k + 397) % 624], mt[k], mt[(k + 1) % 624]);
      index = 0;
    }
    const uint y = mt[index++];
    if (position >= FIRST) rows[position - FIRST] = temper(y);
  }
#endif
}
#endif

// Writes (id, first passing position) for every moment with one; at most one per moment,
// which bounds the list by the launch's size. Every moment listed is re-checked exactly.
__kernel void findCandidates(uint firstWithin, uint count, __global const uint* days, __global const uint* timeWords,
                             __global const uint* keyWords, __global uint2* out, volatile __global uint* outCount,
                             uint capacity) {
  const uint id = get_global_id(0);
  if (id >= count) return;
  const ulong seed = momentSeed(firstWithin, id, days, timeWords, keyWords);
#if defined(SEQUENCE_MT)
  uint rows[ROWS];
  mtRows((uint)(seed >> 32), rows);
  for (int p = 0; p < POSITIONS; ++p) {
    if (PASSES_MT(rows, p)) {
      emit(out, outCount, capacity, id, (uint)p);
      return;
    }
  }
#elif defined(SEQUENCE_LCG)
  ulong s = seed * FIRST_MUL + FIRST_ADD;
  for (int p = 0; p < POSITIONS; ++p) {
    if (PASSES_LCG(s)) {
      emit(out, outCount, capacity, id, (uint)p);
      return;
    }
    s = lcgStep(s);
  }
#else
  emit(out, outCount, capacity, id, 0u);
#endif
}

// The device's ceiling for this message: seeds only, listed when equal to `target`.
__kernel void hashOnly(uint firstWithin, uint count, __global const uint* days, __global const uint* timeWords,
                       __global const uint* keyWords, __global uint2* out, volatile __global uint* outCount,
                       uint capacity, ulong target) {
  const uint id = get_global_id(0);
  if (id >= count) return;
  if (momentSeed(firstWithin, id, days, timeWords, keyWords) == target) emit(out, outCount, capacity, id, 0u);
}
