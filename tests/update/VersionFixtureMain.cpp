// A program that does nothing: it exists to carry a version record of its own.
int main() { return 0; }
