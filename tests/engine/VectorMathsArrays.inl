// A lane set's SLEEF functions over whole arrays, for the sweeps of my_VectorMathsTest.cpp. Included
// inside a namespace that brings one lane set into view; no include guard, as each set includes it.

void tanhAll (float* v, size_t n)
{
    for (size_t i = 0; i < n; i += lanes)
        store (v + i, tanh (load (v + i, lanes)), lanes);
}
void sinAll (float* v, size_t n)
{
    for (size_t i = 0; i < n; i += lanes)
        store (v + i, sin (load (v + i, lanes)), lanes);
}
void powAll (float* v, float exponent, size_t n)
{
    for (size_t i = 0; i < n; i += lanes)
        store (v + i, pow (load (v + i, lanes), broadcast (exponent)), lanes);
}
void powDoubleAll (double* v, double exponent, size_t n)
{
    for (size_t i = 0; i < n; i += sizeof (Doubles) / sizeof (double))
    {
        Doubles chunk;
        std::memcpy (&chunk, v + i, sizeof chunk);
        chunk = pow (chunk, Doubles {} + exponent);
        std::memcpy (v + i, &chunk, sizeof chunk);
    }
}
