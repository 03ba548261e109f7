#include "config/UUtils.h"

int main(int argc, char **argv)
{
	vantero::InitUtils(argc, argv);
	return 0;
}
