// Linked with every object of the model library and nothing else: a model file that reaches a window fails the link.
int main() { return 0; }
