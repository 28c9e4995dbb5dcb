// sample.cu: adds two vectors and sums the result on the GPU, an example of CUDA.
#include <cstdio>
#include <vector>
#include <cuda_runtime.h>

#define CUDA_CHECK(call)                                                  \
    do {                                                                  \
        cudaError_t err_ = (call);                                        \
        if (err_ != cudaSuccess) {                                        \
            std::fprintf(stderr, "%s:%d: %s\n", __FILE__, __LINE__,       \
                         cudaGetErrorString(err_));                       \
            std::exit(1);                                                 \
        }                                                                 \
    } while (0)

constexpr int kBlock = 256;

__global__ void add(const float* __restrict__ a, const float* __restrict__ b, float* c, int n) {
    int i = blockIdx.x * blockDim.x + threadIdx.x;
    if (i < n) c[i] = a[i] + b[i];
}

/* One partial sum per block, in shared memory, then one atomicAdd. */
__global__ void sum(const float* in, float* out, int n) {
    __shared__ float partial[kBlock];
    int i = blockIdx.x * blockDim.x + threadIdx.x;
    partial[threadIdx.x] = i < n ? in[i] : 0.0f;
    __syncthreads();
    for (int s = blockDim.x / 2; s > 0; s >>= 1) {
        if (threadIdx.x < s) partial[threadIdx.x] += partial[threadIdx.x + s];
        __syncthreads();
    }
    if (threadIdx.x == 0) atomicAdd(out, partial[0]);
}

int main() {
    const int n = 1 << 20;
    std::vector<float> a(n, 1.0f), b(n, 2.0f);
    float *da, *db, *dc, *dsum, total = 0.0f;
    CUDA_CHECK(cudaMalloc(&da, n * sizeof(float)));
    CUDA_CHECK(cudaMalloc(&db, n * sizeof(float)));
    CUDA_CHECK(cudaMalloc(&dc, n * sizeof(float)));
    CUDA_CHECK(cudaMalloc(&dsum, sizeof(float)));
    cudaMemcpy(da, a.data(), n * sizeof(float), cudaMemcpyHostToDevice);
    cudaMemcpy(db, b.data(), n * sizeof(float), cudaMemcpyHostToDevice);
    cudaMemset(dsum, 0, sizeof(float));

    dim3 grid((n + kBlock - 1) / kBlock);
    add<<<grid, kBlock>>>(da, db, dc, n);
    sum<<<grid, kBlock>>>(dc, dsum, n);
    CUDA_CHECK(cudaGetLastError());
    cudaMemcpy(&total, dsum, sizeof(float), cudaMemcpyDeviceToHost);
    std::printf("sum = %.1f (expected %.1f)\n", total, 3.0f * n);

    cudaFree(da); cudaFree(db); cudaFree(dc); cudaFree(dsum);
    return 0;
}
