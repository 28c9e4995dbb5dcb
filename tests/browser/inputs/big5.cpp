// 計算總和：中文註解
int total(int a, int b) { return a + b; } /* 許功蓋 */
const char* s = "許功蓋\\";
