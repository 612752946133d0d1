// The lane kernel's body, included once by each kernel's translation unit, which defines
// ZARN_LANE_WIDTH: 4 (SSE2) or 8 (AVX2). Everything here has internal linkage and the unit calls
// no inline function of another header, so no code built for one instruction set can stand in for
// another unit's copy at link time.
//
// Each lane repeats ZarnVoice's operations (see ZarnVoice.cpp) in the same order and precision:
// a float operation here is a float operation there, a conversion there is a conversion here.

#include "engine/LaneKernel.h"

#include <cmath>
#include <cstring>

#if ZARN_LANE_WIDTH == 8
#include <immintrin.h>
#else
#include <emmintrin.h>
#endif

namespace
{
constexpr int W = ZARN_LANE_WIDTH;
constexpr int chunk = LaneKernel::chunk;

//==============================================================================
// W floats, W doubles (two registers: lanes 0 ... W/2 - 1 and W/2 ... W - 1), their masks.
#if ZARN_LANE_WIDTH == 8
using F = __m256;
using H = __m256d;

inline F loadF (const float* p) { return _mm256_load_ps (p); }
inline void storeF (float* p, F v) { _mm256_store_ps (p, v); }
inline F splatF (float x) { return _mm256_set1_ps (x); }
inline F selectF (F mask, F a, F b) { return _mm256_blendv_ps (b, a, mask); }
inline F lessF (F a, F b) { return _mm256_cmp_ps (a, b, _CMP_LT_OQ); }
inline F notLessF (F a, F b) { return _mm256_cmp_ps (a, b, _CMP_GE_OQ); }
inline F andF (F a, F b) { return _mm256_and_ps (a, b); }
inline F andNotF (F a, F b) { return _mm256_andnot_ps (a, b); } // b and not a
inline F orF (F a, F b) { return _mm256_or_ps (a, b); }
inline unsigned bitsF (F mask) { return static_cast<unsigned> (_mm256_movemask_ps (mask)); }
inline F intsToF (const int* p) { return _mm256_cvtepi32_ps (_mm256_load_si256 (reinterpret_cast<const __m256i*> (p))); }
// Zero or denormal: all exponent bits clear.
inline F tinyF (F x)
{
    const __m256i e = _mm256_and_si256 (_mm256_castps_si256 (x), _mm256_set1_epi32 (0x7f800000));
    return _mm256_castsi256_ps (_mm256_cmpeq_epi32 (e, _mm256_setzero_si256()));
}

inline H loadH (const double* p) { return _mm256_load_pd (p); }
inline void storeH (double* p, H v) { _mm256_store_pd (p, v); }
inline H splatH (double x) { return _mm256_set1_pd (x); }
inline H selectH (H mask, H a, H b) { return _mm256_blendv_pd (b, a, mask); }
inline H orH (H a, H b) { return _mm256_or_pd (a, b); }
inline H notEqualH (H a, H b) { return _mm256_cmp_pd (a, b, _CMP_NEQ_UQ); }
// |p| >= tableSize, which is p >= tableSize or p <= -tableSize, false for a NaN.
inline H outsideTableH (H p)
{
    return _mm256_cmp_pd (_mm256_andnot_pd (_mm256_set1_pd (-0.0), p), _mm256_set1_pd (Oscillator::tableSize), _CMP_GE_OQ);
}
inline unsigned bitsH (H mask) { return static_cast<unsigned> (_mm256_movemask_pd (mask)); }

inline H lowToH (F f) { return _mm256_cvtps_pd (_mm256_castps256_ps128 (f)); }
inline H highToH (F f) { return _mm256_cvtps_pd (_mm256_extractf128_ps (f, 1)); }
inline F toF (H lo, H hi) { return _mm256_insertf128_ps (_mm256_castps128_ps256 (_mm256_cvtpd_ps (lo)), _mm256_cvtpd_ps (hi), 1); }
#else
using F = __m128;
using H = __m128d;

inline F loadF (const float* p) { return _mm_load_ps (p); }
inline void storeF (float* p, F v) { _mm_store_ps (p, v); }
inline F splatF (float x) { return _mm_set1_ps (x); }
inline F selectF (F mask, F a, F b) { return _mm_or_ps (_mm_and_ps (mask, a), _mm_andnot_ps (mask, b)); }
inline F lessF (F a, F b) { return _mm_cmplt_ps (a, b); }
inline F notLessF (F a, F b) { return _mm_cmpge_ps (a, b); }
inline F andF (F a, F b) { return _mm_and_ps (a, b); }
inline F andNotF (F a, F b) { return _mm_andnot_ps (a, b); }
inline F orF (F a, F b) { return _mm_or_ps (a, b); }
inline unsigned bitsF (F mask) { return static_cast<unsigned> (_mm_movemask_ps (mask)); }
inline F intsToF (const int* p) { return _mm_cvtepi32_ps (_mm_load_si128 (reinterpret_cast<const __m128i*> (p))); }
inline F tinyF (F x)
{
    const __m128i e = _mm_and_si128 (_mm_castps_si128 (x), _mm_set1_epi32 (0x7f800000));
    return _mm_castsi128_ps (_mm_cmpeq_epi32 (e, _mm_setzero_si128()));
}

inline H loadH (const double* p) { return _mm_load_pd (p); }
inline void storeH (double* p, H v) { _mm_store_pd (p, v); }
inline H splatH (double x) { return _mm_set1_pd (x); }
inline H selectH (H mask, H a, H b) { return _mm_or_pd (_mm_and_pd (mask, a), _mm_andnot_pd (mask, b)); }
inline H orH (H a, H b) { return _mm_or_pd (a, b); }
inline H notEqualH (H a, H b) { return _mm_cmpneq_pd (a, b); }
inline H outsideTableH (H p)
{
    return _mm_cmpge_pd (_mm_andnot_pd (_mm_set1_pd (-0.0), p), _mm_set1_pd (Oscillator::tableSize));
}
inline unsigned bitsH (H mask) { return static_cast<unsigned> (_mm_movemask_pd (mask)); }

inline H lowToH (F f) { return _mm_cvtps_pd (f); }
inline H highToH (F f) { return _mm_cvtps_pd (_mm_movehl_ps (f, f)); }
inline F toF (H lo, H hi) { return _mm_movelh_ps (_mm_cvtpd_ps (lo), _mm_cvtpd_ps (hi)); }
#endif

constexpr int HW = W / 2; // lanes in one H

struct D
{
    H lo, hi;
};

inline D operator+ (D a, D b) { return { a.lo + b.lo, a.hi + b.hi }; }
inline D operator- (D a, D b) { return { a.lo - b.lo, a.hi - b.hi }; }
inline D operator* (D a, D b) { return { a.lo * b.lo, a.hi * b.hi }; }
inline D loadD (const double* p) { return { loadH (p), loadH (p + HW) }; }
inline void storeD (double* p, D v) { storeH (p, v.lo); storeH (p + HW, v.hi); }
inline D splatD (double x) { return { splatH (x), splatH (x) }; }
inline D selectD (D mask, D a, D b) { return { selectH (mask.lo, a.lo, b.lo), selectH (mask.hi, a.hi, b.hi) }; }
inline unsigned bitsD (D mask) { return bitsH (mask.lo) | bitsH (mask.hi) << HW; }
inline D notEqualD (D a, D b) { return { notEqualH (a.lo, b.lo), notEqualH (a.hi, b.hi) }; }
inline D toD (F f) { return { lowToH (f), highToH (f) }; }
inline F toF (D d) { return toF (d.lo, d.hi); }

// Masks of the lanes whose bits are set.
inline F laneMaskF (unsigned bits)
{
    alignas (64) std::int32_t m[W];
    for (int l = 0; l < W; ++l)
        m[l] = (bits >> l & 1u) != 0 ? -1 : 0;
    F f;
    std::memcpy (&f, m, sizeof f);
    return f;
}

inline D laneMaskD (unsigned bits)
{
    alignas (64) std::int64_t m[W];
    for (int l = 0; l < W; ++l)
        m[l] = (bits >> l & 1u) != 0 ? -1 : 0;
    D d;
    std::memcpy (&d.lo, m, sizeof d.lo);
    std::memcpy (&d.hi, m + HW, sizeof d.hi);
    return d;
}

inline void storeMaskedF (float* p, F v, F mask) { storeF (p, selectF (mask, v, loadF (p))); }
inline void storeMaskedD (double* p, D v, D mask) { storeD (p, selectD (mask, v, loadD (p))); }

inline unsigned bitsOf (const bool* flags)
{
    unsigned bits = 0;
    for (int l = 0; l < W; ++l)
        bits |= flags[l] ? 1u << l : 0u;
    return bits;
}

//==============================================================================
// Table reads: the index is the phase truncated toward zero, low 12 bits. A table that every lane
// reads is read with one base; otherwise each lane reads its own.
struct Tables
{
    explicit Tables (const double* const* perLane)
    {
        single = true;
        for (int l = 0; l < W; ++l)
        {
            table[l] = perLane[l];
            single = single && perLane[l] == perLane[0];
        }
    }

    const double* table[W];
    bool single;
};

#if ZARN_LANE_WIDTH == 8
struct Index
{
    __m128i lo, hi; // four 32-bit indices each
};

inline Index indexOf (D phase)
{
    const __m128i mask = _mm_set1_epi32 (Oscillator::tableSize - 1);
    return { _mm_and_si128 (_mm256_cvttpd_epi32 (phase.lo), mask), _mm_and_si128 (_mm256_cvttpd_epi32 (phase.hi), mask) };
}

inline void storeIndex (int* dest, Index i)
{
    _mm_storeu_si128 (reinterpret_cast<__m128i*> (dest), i.lo);
    _mm_storeu_si128 (reinterpret_cast<__m128i*> (dest + 4), i.hi);
}

// The masked gathers, given a defined register to fill, read all four lanes.
inline H gatherHalf (const Tables& t, __m128i index, int firstLane)
{
    const H all = _mm256_castsi256_pd (_mm256_set1_epi64x (-1));

    if (t.single)
        return _mm256_mask_i32gather_pd (_mm256_setzero_pd(), t.table[0], index, all, 8);

    const __m256i base = _mm256_setr_epi64x (reinterpret_cast<std::int64_t> (t.table[firstLane]),
                                             reinterpret_cast<std::int64_t> (t.table[firstLane + 1]),
                                             reinterpret_cast<std::int64_t> (t.table[firstLane + 2]),
                                             reinterpret_cast<std::int64_t> (t.table[firstLane + 3]));
    const __m256i address = _mm256_add_epi64 (base, _mm256_slli_epi64 (_mm256_cvtepi32_epi64 (index), 3));
    return _mm256_mask_i64gather_pd (_mm256_setzero_pd(), static_cast<const double*> (nullptr), address, all, 1);
}

inline D read (const Tables& t, Index i) { return { gatherHalf (t, i.lo, 0), gatherHalf (t, i.hi, 4) }; }
#else
struct Index
{
    __m128i v; // four 32-bit indices
};

inline Index indexOf (D phase)
{
    const __m128i both = _mm_unpacklo_epi64 (_mm_cvttpd_epi32 (phase.lo), _mm_cvttpd_epi32 (phase.hi));
    return { _mm_and_si128 (both, _mm_set1_epi32 (Oscillator::tableSize - 1)) };
}

inline void storeIndex (int* dest, Index i) { _mm_storeu_si128 (reinterpret_cast<__m128i*> (dest), i.v); }

inline D read (const Tables& t, Index i)
{
    alignas (16) int k[4];
    storeIndex (k, i);
    return { _mm_setr_pd (t.table[0][k[0]], t.table[1][k[1]]), _mm_setr_pd (t.table[2][k[2]], t.table[3][k[3]]) };
}
#endif

inline D outsideTable (D phase) { return { outsideTableH (phase.lo), outsideTableH (phase.hi) }; }
inline D orD (D a, D b) { return { orH (a.lo, b.lo), orH (a.hi, b.hi) }; }

// Oscillator::wrapped for the lanes in `lanes`: fmod, one call for each lane that needs it.
D wrappedSlowly (D phase, unsigned lanes)
{
    const unsigned outside = bitsD (outsideTable (phase)) & lanes;
    alignas (64) double p[W];
    storeD (p, phase);

    for (int l = 0; l < W; ++l)
        if ((outside >> l & 1u) != 0)
            p[l] = std::fmod (p[l], static_cast<double> (Oscillator::tableSize));

    return loadD (p);
}

inline D wrapped (D phase, unsigned lanes)
{
    if (__builtin_expect ((bitsD (outsideTable (phase)) & lanes) == 0, 1))
        return phase;

    return wrappedSlowly (phase, lanes);
}

// Whether the given lanes (at least one) hold the same bits; the first of them is `lane`.
inline bool sameInLanes (D d, unsigned lanes, int& lane)
{
    alignas (64) std::int64_t bits[W];
    std::memcpy (bits, &d.lo, sizeof d.lo);
    std::memcpy (bits + HW, &d.hi, sizeof d.hi);
    lane = __builtin_ctz (lanes);
    std::int64_t differ = 0;

    for (int l = 0; l < W; ++l)
        differ |= (lanes >> l & 1u) != 0 ? bits[l] ^ bits[lane] : 0;

    return differ == 0;
}

double cachedPitchFactor (LaneKernel::PowCache& cache, int index, double product)
{
    std::uint64_t bits;
    std::memcpy (&bits, &product, sizeof bits);

    if (cache.product[index] != bits)
    {
        cache.product[index] = bits;
        cache.factor[index] = std::pow (Oscillator::centFactor, product * 1200.0);
    }

    return cache.factor[index];
}

//==============================================================================
// An envelope of every lane: ticks in the held lanes, the release ramp in the others.
struct Envelopes
{
    Envelopes (Envelope::Lanes& e, int first)
        : lanes (e), at (first), counter (loadF (e.counter.lane + first)), value (loadF (e.value.lane + first)),
          attack (loadF (e.attackSamples.lane + first)), decay (loadF (e.decaySamples.lane + first)),
          sustain (loadF (e.sustain.lane + first)), releaseCounter (loadF (e.releaseCounter.lane + first)),
          releaseSamples (loadF (e.releaseSamples.lane + first))
    {
    }

    // Envelope::tick for the lanes in `held`.
    F tick (F held)
    {
        const F t = counter;
        const F inAttack = lessF (t, attack);
        const F inDecay = andNotF (inAttack, lessF (t, attack + decay));
        const F moving = orF (inAttack, inDecay);

        if (bitsF (andF (moving, held)) == 0)
            return sustain;

        const F one = splatF (1.0f);
        const F v = selectF (inAttack, t / attack, one - (one - sustain) * (t - attack) / decay);
        const F step = andF (moving, held);
        value = selectF (step, v, value);
        counter = selectF (step, t + one, counter);
        return selectF (moving, v, sustain);
    }

    // The release ramp's step for the lanes in `ramp`: the counter falls by one, then
    // Envelope::releaseLevel.
    F ramp (F rampLanes)
    {
        releaseCounter = selectF (rampLanes, releaseCounter - splatF (1.0f), releaseCounter);
        return selectF (notLessF (releaseCounter, splatF (0.0f)), releaseCounter * value / releaseSamples, splatF (0.0f));
    }

    F next (unsigned heldBits, unsigned rampBits, F held, F rampLanes)
    {
        if (rampBits == 0)
            return tick (held);

        if (heldBits == 0)
            return ramp (rampLanes);

        const F ticked = tick (held);
        return selectF (held, ticked, ramp (rampLanes));
    }

    void store (F lanesToStore)
    {
        storeMaskedF (lanes.counter.lane + at, counter, lanesToStore);
        storeMaskedF (lanes.value.lane + at, value, lanesToStore);
        storeMaskedF (lanes.releaseCounter.lane + at, releaseCounter, lanesToStore);
    }

    Envelope::Lanes& lanes;
    int at;
    F counter, value, attack, decay, sustain, releaseCounter, releaseSamples;
};

//==============================================================================
// The stages run one after the other over the samples of a call, each keeping its state in
// registers and passing its results per sample to the next through the scratch.
struct Scratch
{
    D pitch[chunk];
    F p[chunk], k[chunk], r[chunk];
    D mix[chunk], second[3][chunk];
    D input[chunk];
    F y[chunk];
};

static_assert (sizeof (Scratch) <= LaneKernel::scratchBytes, "the synthesiser's scratch is too small");

struct Call
{
    Call (const LaneKernel::Group& g)
        : group (g), v (*g.lanes), at (g.first), scratch (*static_cast<Scratch*> (g.scratch)),
          rampBits (g.chain & ~g.held), chainF (laneMaskF (g.chain)), heldF (laneMaskF (g.held)),
          rampF (laneMaskF (rampBits)), chainD (laneMaskD (g.chain))
    {
    }

    // The LFO step and the pitch step's factor, for every sample.
    void lfoAndPitch (int count)
    {
        auto& lfo = v.lfo;
        const Tables table (group.tables[3]);
        D phase = loadD (lfo.phase.lane + at);
        const D inc = loadD (lfo.inc.lane + at);
        const D depth = loadD (v.lfoDepth.lane + at);
        D lastProduct = loadD (v.lastLfoProduct.lane + at);
        D lastFactor = loadD (v.lastPitchFactor.lane + at);
        D out = loadD (lfo.output.lane + at);

        for (int i = 0; i < count; ++i)
        {
            const Index index = indexOf (phase);
            out = read (table, index);
            phase = wrapped (phase + inc, group.chain);
            const D product = out * depth;
            const unsigned changed = bitsD (notEqualD (product, lastProduct)) & group.chain;

            int lane = 0;

            if (changed != 0 && changed == group.chain && sameInLanes (product, changed, lane))
            {
                // The voices' LFOs stand together, as notes struck at once have them: one factor.
                alignas (64) double products[W];
                int indices[W];
                storeD (products, product);
                storeIndex (indices, index);
                lastProduct = product;
                lastFactor = splatD (cachedPitchFactor (*group.powCache, indices[lane], products[lane]));
            }
            else if (changed != 0)
            {
                alignas (64) double products[W], lastProducts[W], factors[W];
                int indices[W];
                storeD (products, product);
                storeD (lastProducts, lastProduct);
                storeD (factors, lastFactor);
                storeIndex (indices, index);

                for (int l = 0; l < W; ++l)
                {
                    if ((changed >> l & 1u) != 0)
                    {
                        lastProducts[l] = products[l];
                        factors[l] = cachedPitchFactor (*group.powCache, indices[l], products[l]);
                    }
                }

                lastProduct = loadD (lastProducts);
                lastFactor = loadD (factors);
            }

            scratch.pitch[i] = lastFactor;
        }

        storeMaskedD (lfo.phase.lane + at, phase, chainD);
        storeMaskedD (lfo.output.lane + at, out, chainD);
        storeMaskedD (v.lastLfoProduct.lane + at, lastProduct, chainD);
        storeMaskedD (v.lastPitchFactor.lane + at, lastFactor, chainD);
    }

    // The filter envelope and the cutoff step's coefficients, for every sample.
    void coefficients (int count)
    {
        auto& filter = v.filter;
        Envelopes envelope (v.filterEnv, at);
        const D baseCutoff = loadD (filter.baseCutoff.lane + at);
        const D amount = loadD (v.filterEnvAmount.lane + at);
        const F rate = intsToF (filter.sampleRate.lane + at);
        const F resonance = loadF (filter.resonance.lane + at);
        const D scaled = baseCutoff * amount;
        F cutoff = loadF (filter.cutoff.lane + at), p = loadF (filter.p.lane + at), k = loadF (filter.k.lane + at),
          r = loadF (filter.r.lane + at);

        for (int i = 0; i < count; ++i)
        {
            const F e = envelope.next (group.held, rampBits, heldF, rampF);
            cutoff = toF (baseCutoff + scaled * toD (e));
            const D f = toD (splatF (2.0f) * cutoff / rate);
            p = toF (f * (splatD (MoogFilter::poleLinear) - splatD (MoogFilter::poleSquare) * f));
            k = splatF (2.0f) * p - splatF (1.0f);
            const F t = toF (toD (splatF (1.0f) - p) * splatD (MoogFilter::resonanceScale));
            const F t2 = t * t + splatF (12.0f);
            r = resonance * (t2 + splatF (6.0f) * t) / (t2 - splatF (6.0f) * t);
            scratch.p[i] = p;
            scratch.k[i] = k;
            scratch.r[i] = r;
        }

        envelope.store (chainF);
        storeMaskedF (filter.cutoff.lane + at, cutoff, chainF);
        storeMaskedF (filter.p.lane + at, p, chainF);
        storeMaskedF (filter.k.lane + at, k, chainF);
        storeMaskedF (filter.r.lane + at, r, chainF);
    }

    // One oscillator with its increments for every sample: its main sample times its level goes
    // into the mix (which the first oscillator starts from 0), its second sample times its level
    // is kept for the end of the mix.
    template <bool first, int tuning> // tuning: 0 none of the lanes detuned, 1 all, 2 some
    void oscillator (int o, int count)
    {
        auto& lanes = v.osc[o];
        const Tables table (group.tables[o]);
        D phase = loadD (lanes.phase.lane + at), phase2 = loadD (lanes.phase2.lane + at);
        D inc = loadD (lanes.inc.lane + at), inc2 = loadD (lanes.inc2.lane + at);
        D out = loadD (lanes.output.lane + at), out2 = loadD (lanes.out2.lane + at);
        const D baseInc = loadD (lanes.baseInc.lane + at);
        const D ratio = loadD (lanes.centRatio.lane + at) * loadD (lanes.semitoneRatio.lane + at);
        const D detuned = laneMaskD (bitsOf (lanes.detuned.lane + at));
        const D level = loadD (v.oscLevel[o].lane + at), doubleLevel = loadD (v.doubleLevel[o].lane + at);
        const D ratio2 = splatD (Oscillator::doubleRatio);

        for (int i = 0; i < count; ++i)
        {
            const D plain = baseInc * scratch.pitch[i];
            const D plain2 = plain * ratio2;

            if (tuning == 0)
            {
                inc = plain;
                inc2 = plain2;
            }
            else if (tuning == 1)
            {
                inc = plain * ratio;
                inc2 = plain2 * ratio;
            }
            else
            {
                inc = selectD (detuned, plain * ratio, plain);
                inc2 = selectD (detuned, plain2 * ratio, plain2);
            }

            out = read (table, indexOf (phase));
            out2 = read (table, indexOf (phase2));
            phase = phase + inc;
            phase2 = phase2 + inc2;

            if (__builtin_expect ((bitsD (orD (outsideTable (phase), outsideTable (phase2))) & group.chain) != 0, 0))
            {
                phase = wrapped (phase, group.chain);
                phase2 = wrapped (phase2, group.chain);
            }

            scratch.mix[i] = first ? splatD (0.0) + out * level : scratch.mix[i] + out * level;
            scratch.second[o][i] = out2 * doubleLevel;
        }

        storeMaskedD (lanes.phase.lane + at, phase, chainD);
        storeMaskedD (lanes.phase2.lane + at, phase2, chainD);
        storeMaskedD (lanes.inc.lane + at, inc, chainD);
        storeMaskedD (lanes.inc2.lane + at, inc2, chainD);
        storeMaskedD (lanes.output.lane + at, out, chainD);
        storeMaskedD (lanes.out2.lane + at, out2, chainD);
    }

    template <bool first>
    void oscillator (int o, int count)
    {
        const unsigned detuned = bitsOf (v.osc[o].detuned.lane + at) & group.chain;

        if (detuned == 0)
            oscillator<first, 0> (o, count);
        else if (detuned == group.chain)
            oscillator<first, 1> (o, count);
        else
            oscillator<first, 2> (o, count);
    }

    // The three oscillators, the end of the mix and the amplitude, for every sample.
    void oscillators (int count)
    {
        oscillator<true> (0, count);
        oscillator<false> (1, count);
        oscillator<false> (2, count);

        Envelopes amplitude (v.ampEnv, at);
        const D velocityGain = loadD (v.velocityGain.lane + at);
        const D volume = loadD (v.volume.lane + at);

        for (int i = 0; i < count; ++i)
        {
            const D s = scratch.mix[i] + scratch.second[0][i] + scratch.second[1][i] + scratch.second[2][i];
            const F gain = amplitude.next (group.held, rampBits, heldF, rampF);
            scratch.input[i] = s * toD (gain) * velocityGain * volume;
        }

        amplitude.store (chainF);
    }

    // Each chain lane's samples into its row of the output.
    void deliver (int offset, int count)
    {
        for (int i = 0; i < count; ++i)
        {
            alignas (64) float y[W];
            storeF (y, scratch.y[i]);

            for (int l = 0; l < W; ++l)
                if ((group.chain >> l & 1u) != 0)
                    group.y[l * chunk + offset + i] = y[l];
        }
    }

    const LaneKernel::Group& group;
    VoiceLanes& v;
    int at;
    Scratch& scratch;
    unsigned rampBits;
    F chainF, heldF, rampF;
    D chainD;
};

// The ladder of one call's lanes, one sample after the other.
struct Ladder
{
    explicit Ladder (Call& c)
        : call (c), f (c.v.filter), at (c.at), y1 (loadF (f.y1.lane + at)), y2 (loadF (f.y2.lane + at)),
          y3 (loadF (f.y3.lane + at)), y4 (loadF (f.y4.lane + at)), oldx (loadF (f.oldx.lane + at)),
          oldy1 (loadF (f.oldy1.lane + at)), oldy2 (loadF (f.oldy2.lane + at)), oldy3 (loadF (f.oldy3.lane + at))
    {
    }

    void step (int i)
    {
        Scratch& s = call.scratch;
        const F p = s.p[i], k = s.k[i];
        const F x = toF (s.input[i] - toD (s.r[i] * y4));
        y1 = x * p + p * oldx - k * y1;
        y2 = y1 * p + p * oldy1 - k * y2;
        y3 = y2 * p + p * oldy2 - k * y3;
        y4 = y3 * p + p * oldy3 - k * y4;
        y4 = y4 - y4 * y4 * y4 / splatF (6.0f);
        oldx = x;
        oldy1 = y1;
        oldy2 = y2;
        oldy3 = y3;
        s.y[i] = y4;
    }

    void store (int count)
    {
        const F lanes = call.chainF;
        storeMaskedF (f.y1.lane + at, y1, lanes);
        storeMaskedF (f.y2.lane + at, y2, lanes);
        storeMaskedF (f.y3.lane + at, y3, lanes);
        storeMaskedF (f.y4.lane + at, y4, lanes);
        storeMaskedF (f.oldx.lane + at, oldx, lanes);
        storeMaskedF (f.oldy1.lane + at, oldy1, lanes);
        storeMaskedF (f.oldy2.lane + at, oldy2, lanes);
        storeMaskedF (f.oldy3.lane + at, oldy3, lanes);
        storeMaskedD (f.input.lane + at, call.scratch.input[count - 1], call.chainD);
        storeMaskedD (f.output.lane + at, toD (y4), call.chainD);
    }

    Call& call;
    MoogFilter::Lanes& f;
    int at;
    F y1, y2, y3, y4, oldx, oldy1, oldy2, oldy3;
};

// One equaliser band of one call's lanes, in the lanes whose equaliser is on.
struct Band
{
    Band (Call& c, int b)
        : call (c), band (c.v.eq[b]), at (c.at), on (laneMaskF (c.group.eq)), b0 (loadF (band.b0.lane + at)),
          b1 (loadF (band.b1.lane + at)), b2 (loadF (band.b2.lane + at)), a1 (loadF (band.a1.lane + at)),
          a2 (loadF (band.a2.lane + at)), x1 (loadF (band.x1.lane + at)), x2 (loadF (band.x2.lane + at)),
          y1 (loadF (band.y1.lane + at)), y2 (loadF (band.y2.lane + at))
    {
    }

    void step (int i)
    {
        const F in = call.scratch.y[i];
        const F x = andNotF (tinyF (in), in);
        const F y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        call.scratch.y[i] = selectF (on, y, in);
    }

    void store (int)
    {
        storeMaskedF (band.x1.lane + at, x1, on);
        storeMaskedF (band.x2.lane + at, x2, on);
        storeMaskedF (band.y1.lane + at, y1, on);
        storeMaskedF (band.y2.lane + at, y2, on);
    }

    Call& call;
    Biquad::Lanes& band;
    int at;
    F on, b0, b1, b2, a1, a2, x1, x2, y1, y2;
};

// The ladders (or bands) of one or two calls side by side: each runs its samples in order, and
// the two chains, independent of each other, overlap in the processor.
template <typename... Stage>
void alongside (int count, Stage&&... stages)
{
    for (int i = 0; i < count; ++i)
        (stages.step (i), ...);

    (stages.store (count), ...);
}

// The stages up to the ladder, the calls' ladders side by side.
template <typename... Calls>
void upToTheLadder (int count, Calls&... calls)
{
    (calls.lfoAndPitch (count), ...);
    (calls.coefficients (count), ...);
    (calls.oscillators (count), ...);
    alongside (count, Ladder (calls)...);
}

// The bands of two calls side by side (more would not fit the registers).
template <typename... Calls>
void equalisers (int count, Calls&... calls)
{
    if (((calls.group.eq != 0) || ...))
        for (int b = 0; b < VoiceLanes::numBands; ++b)
            alongside (count, Band (calls, b)...);
}

void runChain (const LaneKernel::Group* groups, int numGroups, int offset, int count)
{
    if (count <= 0)
        return;

    Call a (groups[0]);

    if (numGroups == 1)
    {
        upToTheLadder (count, a);
        equalisers (count, a);
        a.deliver (offset, count);
        return;
    }

    Call b (groups[1]);

    if (numGroups == 2)
    {
        upToTheLadder (count, a, b);
        equalisers (count, a, b);
    }
    else if (numGroups == 3)
    {
        Call c (groups[2]);
        upToTheLadder (count, a, b, c);
        equalisers (count, a, b);
        equalisers (count, c);
        c.deliver (offset, count);
    }
    else
    {
        Call c (groups[2]), d (groups[3]);
        upToTheLadder (count, a, b, c, d);
        equalisers (count, a, b);
        equalisers (count, c, d);
        c.deliver (offset, count);
        d.deliver (offset, count);
    }

    a.deliver (offset, count);
    b.deliver (offset, count);
}

//==============================================================================
// Delay's step along a stretch, in runs that do not wrap: each entry is read before it is
// written, as one step after the other does.
void stepLine (LaneKernel::Line& line, const float* __restrict x, int count, float* __restrict d)
{
    for (int i = 0; i < count;)
    {
        int run = line.length - line.pos;
        run = run < 1 ? 1 : run;
        run = run < count - i ? run : count - i;
        float* __restrict ring = line.buffer + line.pos;
        const float feedback = line.feedback;

        for (int j = 0; j < run; ++j)
        {
            const float delayed = ring[j];
            ring[j] = x[i + j] + delayed * feedback;
            d[i + j] = delayed;
        }

        i += run;
        line.pos += run;

        if (line.pos >= line.length)
            line.pos = 0;
    }

    if (count > 0)
        line.last = d[count - 1];
}

void addOutput (LaneKernel::Line& left, LaneKernel::Line& right, double delayLevel, const float* y, int count,
                float* __restrict outLeft, float* __restrict outRight)
{
    alignas (64) float dL[chunk], dR[chunk];
    stepLine (left, y, count, dL);
    stepLine (right, y, count, dR);

    for (int i = 0; i < count; ++i)
    {
        const double l = dL[i];
        outLeft[i] = static_cast<float> (static_cast<double> (outLeft[i]) + (static_cast<double> (y[i]) + l * delayLevel));
        outRight[i] = static_cast<float> (static_cast<double> (outRight[i]) + (l * delayLevel + static_cast<double> (dR[i]) * VoiceLanes::rightLineGain));
    }
}
} // namespace
