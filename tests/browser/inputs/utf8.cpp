// 計算總和 — naïve café
int total(int a, int b) { return a + b; } /* 總和 */
const char* s = "∑ — «quotes» 😀";
