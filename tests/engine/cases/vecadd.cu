#define CUDA_CHECK(call)                                                  \
    do {                                                                  \
        cudaError_t err_ = (call);                                        \
        if (err_ != cudaSuccess) {                                        \
            std::fprintf(stderr, "%s:%d: %s\n", __FILE__, __LINE__,       \
                         cudaGetErrorString(err_));                       \
            std::exit(1);                                                 \
        }                                                                 \
    } while (0)

__global__ void add(const float* __restrict__ a, const float* __restrict__ b, float* c, int n) {
    int i = blockIdx.x * blockDim.x + threadIdx.x;
    if (i < n) c[i] = a[i] + b[i];
    dim3 grid((n + kBlock - 1) / kBlock);
    add<<<grid, kBlock>>>(da, db, dc, n);
    sum<<<grid, kBlock>>>(dc, dsum, n);
