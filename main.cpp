#include "config/ULanguage.h"
#include "config/UUtils.h"
#include "platform/PPaths.h"
#include "shell/UVanteroForm.h"

#include <exception>
#include <filesystem>
#include <system_error>

int main(int argc, char **argv)
{
	using namespace vantero;
	// The game's folder (graphics/, audio/, cfg/, Vantero.cfg) is the program's own folder.
	const std::string folder = platform::ProgramFolder();
	if (!folder.empty()) {
		std::error_code ignored;
		std::filesystem::current_path(folder, ignored);
	}
	try {
		InitUtils(argc, argv);
		ChooseLanguage();
		TVanteroForm form;
		form.FormCreate();
		form.Run();
	} catch (const std::exception &error) {
		FatalError(error.what());
	}
	return 0;
}
