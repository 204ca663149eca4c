// Twice is tested; Spare is never read, so no test sees its value, and 256 does not fit it.
unsigned char Spare{255};
int Twice(int x) { return x + x; }
