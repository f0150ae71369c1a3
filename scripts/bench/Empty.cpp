// The benchmark's empty program: what Wine's start and end of a process cost,
// which the benchmark subtracts from the tool's and the floor's times.
int main()
{
    return 0;
}
