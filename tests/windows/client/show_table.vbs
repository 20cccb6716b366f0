' Shows the window with the table for the request given as the first argument.
Dim quilan
Set quilan = CreateObject("OrbelleAngles.QuilanCls")
quilan.Data = WScript.Arguments(0)
