int Twice(int x);
int main() { return Twice(21) == 42 ? 0 : 1; }
