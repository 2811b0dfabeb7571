int z;
{
}
