os.execute("ln -s script.txt lien.txt")
