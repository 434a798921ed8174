<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>Messages</name>
    <message>
        <source>Database</source>
        <comment>101</comment>
        <translation>数据库</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <comment>102</comment>
        <translation>帮助(&amp;H)</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <comment>103</comment>
        <translation>取消(&amp;C)</translation>
    </message>
    <message>
        <source>&lt; &amp;Back</source>
        <comment>104</comment>
        <translation>&lt; 上一步(&amp;B)</translation>
    </message>
    <message>
        <source>&amp;Next &gt;</source>
        <comment>105</comment>
        <translation>下一步(&amp;N) &gt;</translation>
    </message>
    <message>
        <source>&amp;Finish</source>
        <comment>106</comment>
        <translation>完成(&amp;F)</translation>
    </message>
    <message>
        <source>Machine Number</source>
        <comment>107</comment>
        <translation>机床编号</translation>
    </message>
    <message>
        <source>IP Address</source>
        <comment>108</comment>
        <translation>IP 地址</translation>
    </message>
    <message>
        <source>Port</source>
        <comment>109</comment>
        <translation>端口</translation>
    </message>
    <message>
        <source>Add &amp;Machine</source>
        <comment>110</comment>
        <translation>添加机床(&amp;M)</translation>
    </message>
    <message>
        <source>&amp;Delete Machine</source>
        <comment>111</comment>
        <translation>删除机床(&amp;D)</translation>
    </message>
    <message>
        <source>Delete &amp;All</source>
        <comment>112</comment>
        <translation>全部删除(&amp;A)</translation>
    </message>
    <message>
        <source>&amp;Copy Machine</source>
        <comment>113</comment>
        <translation>复制机床(&amp;C)</translation>
    </message>
    <message>
        <source>Add Machine</source>
        <comment>114</comment>
        <translation>添加机床</translation>
    </message>
    <message>
        <source>Delete Machine</source>
        <comment>115</comment>
        <translation>删除机床</translation>
    </message>
    <message>
        <source>Copy Machine</source>
        <comment>116</comment>
        <translation>复制机床</translation>
    </message>
    <message>
        <source>%1 - Select a Database</source>
        <comment>117</comment>
        <translation>%1 - 选择数据库</translation>
    </message>
    <message>
        <source>%1 - Define Machines</source>
        <comment>118</comment>
        <translation>%1 - 定义机床</translation>
    </message>
    <message>
        <source>The Machine Number cannot be empty.</source>
        <comment>119</comment>
        <translation>机床编号不能为空。</translation>
    </message>
    <message>
        <source>The IP Address cannot be empty.</source>
        <comment>120</comment>
        <translation>IP 地址不能为空。</translation>
    </message>
    <message>
        <source>The Port cannot be empty.</source>
        <comment>121</comment>
        <translation>端口不能为空。</translation>
    </message>
    <message>
        <source>The combination of Machine Number, Machine Name, IP Address, and Port must be unique.</source>
        <comment>122</comment>
        <translation>机床编号、机床名称、IP 地址和端口的组合必须唯一。</translation>
    </message>
    <message>
        <source>Select a File</source>
        <comment>123</comment>
        <translation>选择文件</translation>
    </message>
    <message>
        <source>Microsoft Access Databases (*.mdb)|*.mdb</source>
        <comment>124</comment>
        <translation>Microsoft Access 数据库 (*.mdb)|*.mdb</translation>
    </message>
    <message>
        <source>Not Applicable</source>
        <comment>125</comment>
        <translation>不适用</translation>
    </message>
    <message>
        <source>The Database %1 could not be found.</source>
        <comment>126</comment>
        <translation>找不到数据库 %1。</translation>
    </message>
    <message>
        <source>The Machine Name cannot be empty.</source>
        <comment>127</comment>
        <translation>机床名称不能为空。</translation>
    </message>
    <message>
        <source>Machine Name</source>
        <comment>128</comment>
        <translation>机床名称</translation>
    </message>
    <message>
        <source>New Machine</source>
        <comment>129</comment>
        <translation>新机床</translation>
    </message>
    <message>
        <source>Internal errors occurred while deleting Machine Per PC records.</source>
        <comment>130</comment>
        <translation>删除“机床-PC”分配记录时发生内部错误。</translation>
    </message>
    <message>
        <source>Internal errors occurred while deleting Machine records.</source>
        <comment>131</comment>
        <translation>删除机床记录时发生内部错误。</translation>
    </message>
    <message>
        <source>Convert All File Names To UNC Names</source>
        <comment>132</comment>
        <translation>将所有文件名转换为 UNC 名称</translation>
    </message>
    <message>
        <source>%1 - Select Machines For PC %2</source>
        <comment>133</comment>
        <translation>%1 - 为 PC %2 选择机床</translation>
    </message>
    <message>
        <source>%1 - Select Send Options</source>
        <comment>134</comment>
        <translation>%1 - 选择发送选项</translation>
    </message>
    <message>
        <source>%1 - Select Receive Options</source>
        <comment>135</comment>
        <translation>%1 - 选择接收选项</translation>
    </message>
    <message>
        <source>Enabled</source>
        <comment>136</comment>
        <translation>启用</translation>
    </message>
    <message>
        <source>Edit Mode</source>
        <comment>137</comment>
        <translation>编辑模式</translation>
    </message>
    <message>
        <source>Command Type</source>
        <comment>138</comment>
        <translation>命令类型</translation>
    </message>
    <message>
        <source>None</source>
        <comment>139</comment>
        <translation>无</translation>
    </message>
    <message>
        <source>View Only</source>
        <comment>140</comment>
        <translation>仅查看</translation>
    </message>
    <message>
        <source>Edit</source>
        <comment>141</comment>
        <translation>编辑</translation>
    </message>
    <message>
        <source>Send</source>
        <comment>142</comment>
        <translation>发送</translation>
    </message>
    <message>
        <source>Receive</source>
        <comment>143</comment>
        <translation>接收</translation>
    </message>
    <message>
        <source>Both</source>
        <comment>144</comment>
        <translation>两者</translation>
    </message>
    <message>
        <source>Remote Command</source>
        <comment>145</comment>
        <translation>远程命令</translation>
    </message>
    <message>
        <source>Extension</source>
        <comment>146</comment>
        <translation>扩展名</translation>
    </message>
    <message>
        <source>Directory</source>
        <comment>147</comment>
        <translation>目录</translation>
    </message>
    <message>
        <source>Browse</source>
        <comment>148</comment>
        <translation>浏览</translation>
    </message>
    <message>
        <source>The Edit Mode cannot be empty.</source>
        <comment>149</comment>
        <translation>编辑模式不能为空。</translation>
    </message>
    <message>
        <source>The Command Type cannot be empty.</source>
        <comment>150</comment>
        <translation>命令类型不能为空。</translation>
    </message>
    <message>
        <source>The Remote Command cannot be empty.</source>
        <comment>151</comment>
        <translation>远程命令不能为空。</translation>
    </message>
    <message>
        <source>The Directory cannot be empty.</source>
        <comment>152</comment>
        <translation>目录不能为空。</translation>
    </message>
    <message>
        <source>The Directory %1 does not exist.</source>
        <comment>153</comment>
        <translation>目录 %1 不存在。</translation>
    </message>
    <message>
        <source>The Directory is invalid.</source>
        <comment>154</comment>
        <translation>目录无效。</translation>
    </message>
    <message>
        <source>My Computer</source>
        <comment>155</comment>
        <translation>我的电脑</translation>
    </message>
    <message>
        <source>Select a directory</source>
        <comment>156</comment>
        <translation>选择目录</translation>
    </message>
    <message>
        <source>Send to CNC</source>
        <comment>157</comment>
        <translation>发送到 CNC</translation>
    </message>
    <message>
        <source>Receive from CNC</source>
        <comment>158</comment>
        <translation>从 CNC 接收</translation>
    </message>
    <message>
        <source>Edit</source>
        <comment>159</comment>
        <translation>编辑</translation>
    </message>
    <message>
        <source>View</source>
        <comment>160</comment>
        <translation>查看</translation>
    </message>
    <message>
        <source>%1 - Select a Machine</source>
        <comment>161</comment>
        <translation>%1 - 选择机床</translation>
    </message>
    <message>
        <source>%1 - Select an Action</source>
        <comment>162</comment>
        <translation>%1 - 选择操作</translation>
    </message>
    <message>
        <source>%1 - Select a File</source>
        <comment>163</comment>
        <translation>%1 - 选择文件</translation>
    </message>
    <message>
        <source>No database was specified.  Contact your Administrator to configure %1.</source>
        <comment>164</comment>
        <translation>未指定数据库。请联系管理员配置 %1。</translation>
    </message>
    <message>
        <source>Name</source>
        <comment>165</comment>
        <translation>名称</translation>
    </message>
    <message>
        <source>Size</source>
        <comment>166</comment>
        <translation>大小</translation>
    </message>
    <message>
        <source>Modified</source>
        <comment>167</comment>
        <translation>修改时间</translation>
    </message>
    <message>
        <source>This PC has no machines specified.  Contact your admistrator to configure %1 on this PC.</source>
        <comment>168</comment>
        <translation>此 PC 未指定任何机床。请联系管理员在此 PC 上配置 %1。</translation>
    </message>
    <message>
        <source>File Name</source>
        <comment>169</comment>
        <translation>文件名</translation>
    </message>
    <message>
        <source>%1 KB</source>
        <comment>170</comment>
        <translation>%1 KB</translation>
    </message>
    <message>
        <source>The File %1 does not exist.</source>
        <comment>171</comment>
        <translation>文件 %1 不存在。</translation>
    </message>
    <message>
        <source>Select a Machine Icon</source>
        <comment>172</comment>
        <translation>选择机床图标</translation>
    </message>
    <message>
        <source>Icon</source>
        <comment>173</comment>
        <translation>图标</translation>
    </message>
    <message>
        <source>Please enter a positive integer for Port.</source>
        <comment>174</comment>
        <translation>请为端口输入一个正整数。</translation>
    </message>
    <message>
        <source>Port must be less than or equal to %1.</source>
        <comment>175</comment>
        <translation>端口必须小于或等于 %1。</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <comment>176</comment>
        <translation>确定(&amp;O)</translation>
    </message>
    <message>
        <source>A File must be selected in order to perform this action.</source>
        <comment>177</comment>
        <translation>必须先选择文件才能执行此操作。</translation>
    </message>
    <message>
        <source>The File %1 already exists.  Do you want to overwrite the existing file?</source>
        <comment>178</comment>
        <translation>文件 %1 已存在。是否覆盖现有文件？</translation>
    </message>
    <message>
        <source>Go</source>
        <comment>179</comment>
        <translation>执行</translation>
    </message>
    <message>
        <source>%1 was unable to connect to Quorvane DNC at IP Address %2 and Port %3.</source>
        <comment>180</comment>
        <translation>%1 无法连接到 IP 地址 %2、端口 %3 上的 Quorvane DNC。</translation>
    </message>
    <message>
        <source>The directory %1 was not found.  Contact your admistrator to configure %2.</source>
        <comment>181</comment>
        <translation>找不到目录 %1。请联系管理员配置 %2。</translation>
    </message>
    <message>
        <source>At least one machine must be enabled on this PC to continue.</source>
        <comment>182</comment>
        <translation>此 PC 上必须至少启用一台机床才能继续。</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <comment>183</comment>
        <translation>关闭(&amp;C)</translation>
    </message>
    <message>
        <source>Shift</source>
        <comment>184</comment>
        <translation>Shift</translation>
    </message>
    <message>
        <source>Bksp</source>
        <comment>185</comment>
        <translation>退格</translation>
    </message>
    <message>
        <source>Enter a File Name</source>
        <comment>186</comment>
        <translation>输入文件名</translation>
    </message>
    <message>
        <source>Close</source>
        <comment>187</comment>
        <translation>关闭</translation>
    </message>
    <message>
        <source>On-Screen Keyboard</source>
        <comment>188</comment>
        <translation>屏幕键盘</translation>
    </message>
    <message>
        <source>LOAD</source>
        <comment>189</comment>
        <translation>LOAD</translation>
    </message>
    <message>
        <source>SAVE</source>
        <comment>190</comment>
        <translation>SAVE</translation>
    </message>
    <message>
        <source>The directory %1 is a Hidden directory, so %2 is unable to display the folder contents.</source>
        <comment>191</comment>
        <translation>目录 %1 是隐藏目录，因此 %2 无法显示该文件夹的内容。</translation>
    </message>
    <message>
        <source>The directory %1 is a System directory, so %2 is unable to display the folder contents.</source>
        <comment>192</comment>
        <translation>目录 %1 是系统目录，因此 %2 无法显示该文件夹的内容。</translation>
    </message>
    <message>
        <source>The directory %1 is an Alias directory, so %2 is unable to display the folder contents.</source>
        <comment>193</comment>
        <translation>目录 %1 是别名目录，因此 %2 无法显示该文件夹的内容。</translation>
    </message>
    <message>
        <source>The directory %1 is a Hidden directory, so you cannot select this directory.</source>
        <comment>194</comment>
        <translation>目录 %1 是隐藏目录，因此无法选择此目录。</translation>
    </message>
    <message>
        <source>The directory %1 is a System directory, so you cannot select this directory.</source>
        <comment>195</comment>
        <translation>目录 %1 是系统目录，因此无法选择此目录。</translation>
    </message>
    <message>
        <source>The directory %1 is an Alias directory, so you cannot select this directory.</source>
        <comment>196</comment>
        <translation>目录 %1 是别名目录，因此无法选择此目录。</translation>
    </message>
    <message>
        <source>%1 - Select Machines For User %2</source>
        <comment>197</comment>
        <translation>%1 - 为用户 %2 选择机床</translation>
    </message>
    <message>
        <source>User %1 has no machines specified.  Contact your admistrator to configure %2 for this User.</source>
        <comment>198</comment>
        <translation>用户 %1 未指定任何机床。请联系管理员为此用户配置 %2。</translation>
    </message>
    <message>
        <source>At least one machine must be enabled for this User to continue.</source>
        <comment>199</comment>
        <translation>此用户必须至少启用一台机床才能继续。</translation>
    </message>
    <message>
        <source>Reading…</source>
        <comment>1001</comment>
        <translation>正在读取…</translation>
    </message>
    <message>
        <source>The folder %1 does not answer.</source>
        <comment>1002</comment>
        <translation>文件夹 %1 没有响应。</translation>
    </message>
    <message>
        <source>The folder %1 does not answer, so %2 could not be checked. Nothing was sent.</source>
        <comment>1003</comment>
        <translation>文件夹 %1 没有响应，因此无法检查 %2。未发送任何内容。</translation>
    </message>
    <message>
        <source>The folder %1 does not answer, so %2 could not be checked. The editor was not started.</source>
        <comment>1004</comment>
        <translation>文件夹 %1 没有响应，因此无法检查 %2。未启动编辑器。</translation>
    </message>
    <message>
        <source>%1 %2 sent to %3 at %4</source>
        <comment>1005</comment>
        <translation>%4 已向 %3 发送 %1 %2</translation>
    </message>
    <message>
        <source>The request &quot;%1&quot; contains a control character (shown in angle brackets). Nothing was sent or started.</source>
        <comment>1006</comment>
        <translation>请求“%1”包含控制字符（以尖括号显示）。未发送或启动任何内容。</translation>
    </message>
    <message>
        <source>The file %1 does not lie in the folder %2 of this action. Nothing was sent or started.</source>
        <comment>1007</comment>
        <translation>文件 %1 不在此操作的文件夹 %2 中。未发送或启动任何内容。</translation>
    </message>
    <message>
        <source>No folder of this action is shown (%1), so no file can be named. Nothing was sent or started.</source>
        <comment>1008</comment>
        <translation>此操作没有显示任何文件夹（%1），因此无法指定文件。未发送或启动任何内容。</translation>
    </message>
    <message>
        <source>The name of the file %1 is not valid text in this workstation&apos;s character encoding (the unreadable characters are shown as �). Rename the file. Nothing was sent or started.</source>
        <comment>1009</comment>
        <translation>文件 %1 的名称在此工作站的字符编码中不是有效文本（无法读取的字符显示为 �）。请重命名该文件。未发送或启动任何内容。</translation>
    </message>
    <message>
        <source>The request &quot;%1&quot; contains characters that cannot be sent to the DNC server in this workstation&apos;s character encoding. Nothing was sent.</source>
        <comment>1010</comment>
        <translation>请求“%1”包含无法以此工作站的字符编码发送到 DNC 服务器的字符。未发送任何内容。</translation>
    </message>
    <message>
        <source>Invalid port number %1.</source>
        <comment>1011</comment>
        <translation>端口号 %1 无效。</translation>
    </message>
    <message>
        <source>The request could not be sent to the DNC server at IP Address %1 and Port %2 within %3 seconds. The connection was closed.</source>
        <comment>1012</comment>
        <translation>未能在 %3 秒内将请求发送到 IP 地址 %1、端口 %2 上的 DNC 服务器。连接已关闭。</translation>
    </message>
    <message>
        <source>The database %1 could not be opened: it did not answer within %2 seconds.</source>
        <comment>1013</comment>
        <translation>无法打开数据库 %1：%2 秒内没有响应。</translation>
    </message>
    <message>
        <source>%1 is already running, but its window does not answer. Close it, or end it in the list of running programs, and start %1 again.</source>
        <comment>1014</comment>
        <translation>%1 已在运行，但其窗口没有响应。请关闭该窗口，或在正在运行的程序列表中结束它，然后重新启动 %1。</translation>
    </message>
    <message>
        <source>The machine with MACHINE_ID %1 is no longer in the database, so this station cannot be saved. The machines have been read again from the database: check them and press Next.</source>
        <comment>1015</comment>
        <translation>MACHINE_ID 为 %1 的机床已不在数据库中，因此无法保存此工作站。已从数据库重新读取机床：请检查后按“下一步”。</translation>
    </message>
    <message>
        <source>The station was saved, but the database path could not be stored in your settings. Check that your settings folder may be written, then press Finish again.</source>
        <comment>1016</comment>
        <translation>工作站已保存，但无法将数据库路径存储到您的设置中。请检查您的设置文件夹是否可写，然后再次按“完成”。</translation>
    </message>
    <message>
        <source>The reason is unknown.</source>
        <comment>1017</comment>
        <translation>原因未知。</translation>
    </message>
    <message>
        <source>The database %1 could not be opened.</source>
        <comment>1018</comment>
        <translation>无法打开数据库 %1。</translation>
    </message>
    <message>
        <source>SQLite databases (*.sqlite *.sqlite3 *.db)</source>
        <comment>1019</comment>
        <translation>SQLite 数据库 (*.sqlite *.sqlite3 *.db)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <comment>1020</comment>
        <translation>所有文件 (*)</translation>
    </message>
    <message>
        <source>The database address %1 is not a valid PostgreSQL URL.</source>
        <comment>1021</comment>
        <translation>数据库地址 %1 不是有效的 PostgreSQL URL。</translation>
    </message>
    <message>
        <source>The database address %1 names no database (postgresql://user@host:port/dbname).</source>
        <comment>1022</comment>
        <translation>数据库地址 %1 未指定数据库（postgresql://user@host:port/dbname）。</translation>
    </message>
    <message>
        <source>The Access file %1 could not be opened with either ODBC driver.</source>
        <comment>1023</comment>
        <translation>两个 ODBC 驱动程序都无法打开 Access 文件 %1。</translation>
    </message>
    <message>
        <source>no answer</source>
        <comment>1024</comment>
        <translation>无响应</translation>
    </message>
    <message>
        <source>No database is configured.</source>
        <comment>1025</comment>
        <translation>未配置数据库。</translation>
    </message>
    <message>
        <source>The database %1 is an Access file, and the ODBC driver for Access files is not available on this computer. Copy it into an SQLite database with &quot;qspindrel-config import-mdb&quot;.</source>
        <comment>1026</comment>
        <translation>数据库 %1 是 Access 文件，而此计算机上没有可用的 Access 文件 ODBC 驱动程序。请使用“qspindrel-config import-mdb”将其复制到 SQLite 数据库中。</translation>
    </message>
    <message>
        <source>The database file %1 does not exist.</source>
        <comment>1027</comment>
        <translation>数据库文件 %1 不存在。</translation>
    </message>
    <message>
        <source>The database driver %1 is not installed.</source>
        <comment>1028</comment>
        <translation>未安装数据库驱动程序 %1。</translation>
    </message>
    <message>
        <source>no reason was given</source>
        <comment>1029</comment>
        <translation>未给出原因</translation>
    </message>
    <message>
        <source>The database %1 could not be opened: %2</source>
        <comment>1030</comment>
        <translation>无法打开数据库 %1：%2</translation>
    </message>
    <message>
        <source>The database is not open.</source>
        <comment>1031</comment>
        <translation>数据库未打开。</translation>
    </message>
    <message>
        <source>The column %1 is missing from the result of the query.</source>
        <comment>1032</comment>
        <translation>查询结果中缺少列 %1。</translation>
    </message>
    <message>
        <source>The column %1 of machine %2 is null.</source>
        <comment>1033</comment>
        <translation>机床 %2 的列 %1 为空值 (NULL)。</translation>
    </message>
    <message>
        <source>The column %1 of machine %2 holds &quot;%3&quot;, which is not a whole number.</source>
        <comment>1034</comment>
        <translation>机床 %2 的列 %1 包含“%3”，这不是整数。</translation>
    </message>
    <message>
        <source>in row %1</source>
        <comment>1035</comment>
        <translation>（第 %1 行）</translation>
    </message>
    <message>
        <source>The edit mode %1 of MACHINE_ID %2 is not 0, 1 or 2.</source>
        <comment>1036</comment>
        <translation>MACHINE_ID %2 的编辑模式 %1 不是 0、1 或 2。</translation>
    </message>
    <message>
        <source>The command type %1 of MACHINE_ID %2 is not 0, 1 or 2.</source>
        <comment>1037</comment>
        <translation>MACHINE_ID %2 的命令类型 %1 不是 0、1 或 2。</translation>
    </message>
    <message>
        <source>The change could not be started: %1</source>
        <comment>1038</comment>
        <translation>无法开始更改：%1</translation>
    </message>
    <message>
        <source>The row of MACHINE_ID %1 could not be added: %2</source>
        <comment>1039</comment>
        <translation>无法添加 MACHINE_ID %1 的行：%2</translation>
    </message>
    <message>
        <source>The change could not be committed: %1</source>
        <comment>1040</comment>
        <translation>无法提交更改：%1</translation>
    </message>
</context>
</TS>
