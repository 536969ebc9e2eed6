// store benchmarks follow
